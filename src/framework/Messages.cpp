#include "framework/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

template <>
MessageService &Seam<MessageService>::fallback()
{
    static WidgetMessageService widgets;
    static StderrMessageService console;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return widgets;
    return console;
}

namespace Messages {

MessageService &service() { return Seam<MessageService>::get(); }

MsgAnswer show(MsgIcon icon, MsgButtons buttons, const QString &text, const QString &title)
{
    return service().ask(MessageRequest{icon, buttons, text, title});
}

void warning(const QString &text) { show(MsgIcon::Warning, MsgButtons::Ok, text); }
void error(const QString &text) { show(MsgIcon::Error, MsgButtons::Ok, text); }
void information(const QString &text) { show(MsgIcon::Information, MsgButtons::Ok, text); }
void plain(const QString &text) { show(MsgIcon::None, MsgButtons::Ok, text); }

MsgAnswer confirm(const QString &text, MsgButtons buttons)
{
    return show(MsgIcon::Confirmation, buttons, text);
}

MsgAnswer defaultAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesCancel:
        return MsgAnswer::Yes;
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        break;
    }
    return MsgAnswer::Ok;
}

QString defaultTitle(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Warning: return QStringLiteral("Aviso");
    case MsgIcon::Error: return QStringLiteral("Erro");
    case MsgIcon::Information: return QStringLiteral("Informação");
    case MsgIcon::Confirmation: return QStringLiteral("Confirmação");
    case MsgIcon::None: break;
    }
    return QCoreApplication::applicationName();
}

} // namespace Messages

namespace {

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

} // namespace

MsgAnswer WidgetMessageService::ask(const MessageRequest &request)
{
    QMessageBox box;
    switch (request.icon) {
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    box.setWindowTitle(request.title.isEmpty() ? Messages::defaultTitle(request.icon) : request.title);
    box.setText(displayText(request.text));

    struct Choice { MsgAnswer answer; const char *caption; QMessageBox::ButtonRole role; };
    QList<Choice> choices;
    switch (request.buttons) {
    case MsgButtons::Ok:
        choices = {{MsgAnswer::Ok, "OK", QMessageBox::AcceptRole}};
        break;
    case MsgButtons::OkCancel:
        choices = {{MsgAnswer::Ok, "OK", QMessageBox::AcceptRole},
                   {MsgAnswer::Cancel, "Cancelar", QMessageBox::RejectRole}};
        break;
    case MsgButtons::YesNo:
        choices = {{MsgAnswer::Yes, "&Sim", QMessageBox::YesRole},
                   {MsgAnswer::No, "&Não", QMessageBox::NoRole}};
        break;
    case MsgButtons::YesCancel:
        choices = {{MsgAnswer::Yes, "&Sim", QMessageBox::YesRole},
                   {MsgAnswer::Cancel, "Cancelar", QMessageBox::RejectRole}};
        break;
    }
    QList<QPushButton *> buttons;
    for (const Choice &choice : choices)
        buttons << box.addButton(QString::fromUtf8(choice.caption), choice.role);
    box.setDefaultButton(buttons.first());
    // Esc takes the last button (No/Cancel), or OK on a single-button box.
    box.setEscapeButton(buttons.last());
    box.exec();
    for (int i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return choices[i].answer;
    return choices.last().answer;
}

MsgAnswer StderrMessageService::ask(const MessageRequest &request)
{
    const QByteArray text = displayText(request.text).toUtf8();
    std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    return Messages::defaultAnswer(request.buttons);
}
