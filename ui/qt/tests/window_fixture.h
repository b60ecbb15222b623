#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <string>

#include "main_window.h"
#include "posix_file_replacer.h"
#include "test_doubles.h"

namespace quillop::ui {

// A fresh window as at start, whose saves go to a folder that does not exist
// (a save that reached the file system would report that). Each box it
// shows is recorded with what the widgets show behind it.
struct Window {
    doubles::ScriptedRandom random;
    files::PosixFileReplacer replacer;
    doubles::RecordingMessages messages;
    MainWindow window{{{random, random, replacer, u"/nowhere"}, [] {}, &messages}};
    Window() {
        messages.behind = [this] { return shows(); };
        window.showCentred();
    }

    template <typename W = QWidget>
    W* get(const std::string& name) {
        return window.findChild<W*>(QString::fromStdString(name));
    }
    template <typename W = QWidget>
    W* get(Control control) {
        return window.findChild<W*>(QString::fromStdU16String(doubles::nameOf(control)));
    }
    // What the widgets and menu items show, in the words of doubles::describe.
    std::string shows() {
        Form1 f;
        for (auto [name, option] : {std::pair{"Option1", &f.Option1},
                                    {"Option2", &f.Option2},
                                    {"Option3", &f.Option3},
                                    {"Option4", &f.Option4}})
            *option = {get<QAbstractButton>(name)->isChecked(), get(name)->isEnabled()};
        f.Check1.Value = get<QAbstractButton>("Check1")->isChecked() ? 1 : 0;
        f.Command1.Enabled = get("Command1")->isEnabled();
        f.Command2.Enabled = get("Command2")->isEnabled();
        for (auto [name, item] : {std::pair{"mnuSaveChis", &f.mnuSaveChis},
                                  {"mnuSaveSim", &f.mnuSaveSim},
                                  {"mnuSave", &f.mnuSave},
                                  {"mnuExit", &f.mnuExit}})
            item->Enabled = get<QAction>(name)->isEnabled();
        f.Text1.Text = get<QLineEdit>("Text1")->text().toStdU16String();
        f.Text2.Text = get<QLineEdit>("Text2")->text().toStdU16String();
        return doubles::describe(f);
    }
};

}  // namespace quillop::ui
