#pragma once

#include <string>

namespace quillop {

// The controls a person acts on: the first nine take the focus, in tab order;
// then the items of the File menu.
enum class Control {
    Command1,
    Text1,
    Option1,
    Option2,
    Text2,
    Check1,
    Option3,
    Option4,
    Command2,
    mnuSaveChis,
    mnuSaveSim,
    mnuSave,
    mnuExit
};

// The window's whole state, with the controls' names and properties as the
// handlers use them. The widgets only render this and feed user input into it.
struct TextBox {
    std::u16string Text;
};

struct OptionButton {
    bool Value = false;
    bool Enabled = true;
};

struct CheckBox {
    int Value = 0;  // 0 unchecked, 1 checked
};

struct CommandButton {
    bool Enabled = true;
};

struct MenuItem {
    bool Enabled = true;
};

struct Timer {
    bool Enabled = false;  // armed: one tick follows through the event loop
};

struct Form1 {
    static constexpr int kText1MaxLength = 9;
    static constexpr int kText2MaxLength = 8;
    static constexpr int kTimer1IntervalMs = 1;

    TextBox Text1;
    TextBox Text2;
    OptionButton Option1{.Value = true};  // numeric kind
    OptionButton Option2;                 // symbolic kind
    OptionButton Option3{.Value = true};  // 6 places
    OptionButton Option4;                 // 8 places
    CheckBox Check1;                      // both kinds at once
    CommandButton Command1;
    CommandButton Command2{.Enabled = false};
    MenuItem mnuSaveChis{.Enabled = false};
    MenuItem mnuSaveSim{.Enabled = false};
    MenuItem mnuSave{.Enabled = false};
    MenuItem mnuExit;
    Timer Timer1;
};

}  // namespace quillop
