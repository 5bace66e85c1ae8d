#include "framework/KeyHook.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

class HookObject : public QObject
{
public:
    KeyHook::Filter filter;
    KeyHook::Filter remembered;
    bool hasRemembered = false;
    int swallowKey = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !filter || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (type == QEvent::KeyPress && swallowKey != 0) {
            const bool same = swallowKey == key->key();
            swallowKey = 0;
            if (same)
                return true;
        }
        // The copy keeps the filter alive while it replaces itself.
        const KeyHook::Filter run = filter;
        if (!run(key))
            return false;
        // A key taken before the shortcuts saw it must neither trigger one
        // nor arrive afterwards as a key press of its own.
        if (type == QEvent::ShortcutOverride) {
            key->accept();
            swallowKey = key->key();
        }
        return true;
    }
};

HookObject &hook()
{
    static QPointer<HookObject> object;
    if (!object) {
        object = new HookObject;
        if (QCoreApplication::instance()) {
            object->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(object);
        }
    }
    return *object;
}

} // namespace

namespace KeyHook {

void install(const Filter &filter) { hook().filter = filter; }
void remove() { hook().filter = nullptr; }
bool active() { return bool(hook().filter); }
Filter current() { return hook().filter; }

void remember()
{
    HookObject &h = hook();
    h.remembered = h.filter;
    h.hasRemembered = bool(h.filter);
    h.filter = nullptr;
}

void restore(const Filter &fallback)
{
    HookObject &h = hook();
    h.filter = h.hasRemembered ? h.remembered : fallback;
    h.remembered = nullptr;
    h.hasRemembered = false;
}

void sendEnter()
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace KeyHook

void KeyHookHold::install(const KeyHook::Filter &filter)
{
    if (!held_) {
        previous_ = KeyHook::current();
        held_ = true;
    }
    KeyHook::install(filter);
}

void KeyHookHold::release()
{
    if (!held_)
        return;
    held_ = false;
    KeyHook::install(previous_);
    previous_ = nullptr;
}
