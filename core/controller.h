#pragma once

#include <optional>
#include <string>

#include "form1.h"
#include "random_source.h"
#include "view.h"

namespace quillop {

// The keys whose meaning in a form the controller owns.
enum class Key { Tab, ShiftTab, Up, Down, Left, Right, Enter };

// What a field entered by Tab or Shift+Tab shows: the one difference between
// the windows, for their screen readers. Windows' dialog manager selects the
// whole text, which Windows screen readers expect; Orca reads a selected field
// twice on the way in and says "unselected" when the focus leaves.
enum class FieldEntry { SelectText, KeepCaret };

// Every rule of the window, once: takes each user event, runs its handler,
// and tells the view what changed, before any box it shows and after.
class Controller {
public:
    Controller(View& view, RandomSource& random, Clock& clock, SaveCommands& saves,
               FieldEntry entry);
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // Shows the form as at start, with the focus on Command1.
    void start();
    // A click by mouse, Space, access key or assistive tool; a menu command.
    void click(Control control);
    // A key pressed with the focus on that control; true if taken, and then
    // the window must not act on it too.
    bool key(Control focused, Key key);
    // A field's text after typing or pasting; cut to the field's limit.
    void typed(Control field, const std::u16string& text);
    void tick();

    const Form1& form() const { return form_; }

private:
    class Boxes final : public MessageBoxes {
    public:
        explicit Boxes(Controller& controller) : controller_(controller) {}
        MessageAnswer show(const std::u16string& text, MessageIcon icon,
                           MessageButtons buttons) override;

    private:
        Controller& controller_;
    };

    void clickOption(Control option);
    void render(std::optional<Control> clicked = {});

    View& view_;
    RandomSource& random_;
    Clock& clock_;
    SaveCommands& saves_;
    const FieldEntry entry_;
    Boxes boxes_{*this};
    Form1 form_;
    Form1 shown_;  // what the view was last told
    bool started_ = false;
};

}  // namespace quillop
