#pragma once

#include <QKeyEvent>

#include <functional>

// The one application-wide key filter: whichever window is in charge of the
// keyboard (the opening window, a dialog, the main window) installs its
// filter here, remembering the one it replaced, and puts that back when it
// goes. A filter sees every key press of the application first and returns
// true to swallow it; a filter that acts on a key must swallow it, because a
// key that is not taken is offered again to the parents of its receiver.
namespace KeyHook {

using Filter = std::function<bool(QKeyEvent *)>;

// The filter in force from now on (an empty one: none).
void install(const Filter &filter);
void remove();
bool active();
Filter current();

// Detaches the filter in force, keeping it aside for restore().
void remember();
// Installs the filter remember() kept, or fallback when it kept none.
void restore(const Filter &fallback);

// Sends Enter to the widget with the focus: the filters that make Tab act
// as Enter swallow the Tab and call this.
void sendEnter();

} // namespace KeyHook

// A window's hold on the key hook: install() (again at every activation)
// replaces the filter in force, remembering the one found the first time;
// release() puts that one back. Released on destruction at the latest.
class KeyHookHold
{
public:
    KeyHookHold() = default;
    ~KeyHookHold() { release(); }
    KeyHookHold(const KeyHookHold &) = delete;
    KeyHookHold &operator=(const KeyHookHold &) = delete;

    void install(const KeyHook::Filter &filter);
    void release();
    bool held() const { return held_; }

private:
    KeyHook::Filter previous_;
    bool held_ = false;
};
