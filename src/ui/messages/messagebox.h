#pragma once

#include <QString>

#include <concepts>
#include <functional>
#include <utility>

enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

// The one message box of the program: a beep, then a modal box with the kind's icon and title
// ("Warning", "Error", "Information", "Confirm"), the text and a single OK button, centred over
// the active window (over its top-level window). Returns when the box has been closed.
void ShowMessageBox(const QString &text, MessageKind kind);

// The program's general error message, for a failure that abandoned a user action: the error
// icon, the title "Numik-Korvelanta" and the text, with a "." appended when it lacks one.
void ShowErrorMessage(const QString &text);

// Runs an action; an exception escaping it abandons the rest of the action and is shown as
// the general error message. Returns whether the action ran to its end. No exception leaves
// this function, so every handler that Qt calls from its event loop goes through it.
bool RunGuarded(const std::function<void()> &action);

// Wraps a slot so that it runs under RunGuarded:
//   connect(button, &QPushButton::clicked, this, Guarded([this] { BBOKClick(); }));
// The wrapper takes the arguments the slot takes, so Qt drops surplus signal arguments as it
// does for the slot itself.
template<class F>
auto Guarded(F slot)
{
    return [slot = std::move(slot)](auto &&...args) -> void
               requires std::invocable<const F &, decltype(args)...>
    {
        RunGuarded([&] { slot(std::forward<decltype(args)>(args)...); });
    };
}
