#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cp1251.h"
#include "file_texts.h"
#include "texts.h"

// A long day's use of the running window, the same on every platform: each
// round picks a kind and a length and generates, every 10th round saves all
// three files, every 50th clears the fields, and what the process holds is
// read at rounds 1,000 and 10,000. Each window answers through a Driver that
// clicks its real controls and answers its real message boxes.
namespace quillop::bench {

enum class Control { Option1, Option2, Option3, Option4, Check1, Command1, Command2 };
enum class Save { Numeric, Symbolic, Both };

class SoakDriver {
public:
    virtual ~SoakDriver() = default;
    // A click; returns once the window has handled it.
    virtual void click(Control control) = 0;
    // Generate, then wait until the symbolic field holds `symbols` characters
    // (the timer's tick); 0 for a kind without symbols.
    virtual void generate(int symbols) = 0;
    // Clear or a save from the menu; returns the text of the box it showed,
    // which was answered with OK.
    virtual std::u16string clickWithBox(Control control) = 0;
    virtual std::u16string save(Save which) = 0;
    virtual std::u16string field(int number) = 0;  // what Text1 or Text2 shows
    virtual std::optional<std::string> fileBytes(const std::u16string& name) = 0;
    // Every 100th round, where the platform has it: the window moves to another DPI.
    virtual void changeDpi(int) {}
    // What the process holds now: name, figure, allowed growth, value.
    struct Reading {
        std::string key;
        std::string figure;
        double allowedGrowth;
        double value;
    };
    virtual std::vector<Reading> read() = 0;
};

class Soak {
public:
    explicit Soak(SoakDriver& driver) : driver_(driver) {}

    // Runs the rounds; false (with the reason on stderr) if anything was lost.
    bool run(int rounds) {
        for (int round = 1; round <= rounds; ++round) {
            if (!oneRound(round)) return false;
            if (round % 1000 == 0) {
                readings_[round] = driver_.read();
                std::fprintf(stderr, "soak: round %d:", round);
                for (const auto& reading : readings_[round])
                    std::fprintf(stderr, " %s=%.0f", reading.key.c_str(), reading.value);
                std::fprintf(stderr, "\n");
            }
        }
        return filesHoldWhatWasSaved();
    }

    // One row per reading: at the last round against round 1,000.
    void printRows(int rounds) const {
        const auto first = readings_.find(1000), last = readings_.find(rounds);
        if (first == readings_.end() || last == readings_.end()) return;
        for (std::size_t i = 0; i < last->second.size(); ++i) {
            const auto& before = first->second[i];
            const auto& after = last->second[i];
            std::printf("row\t%s\t%s\t%.0f\t%.0f\t%+.0f\tgrowth <= %.0f\n", after.key.c_str(),
                        after.figure.c_str(), after.value, before.value, after.value - before.value,
                        after.allowedGrowth);
        }
    }

private:
    // The kind moves on every round and skips ahead on every 10th and 50th, so
    // that the saves meet every kind and each Clear the both kind (Clear is
    // grey in the numeric one).
    enum Kind { Both, Neither, Numeric, Symbolic };

    bool oneRound(int round) {
        const auto kind = static_cast<Kind>((round + round / 10 + round / 50) % 4);
        const int length = (round / 4) % 2 ? 8 : 6;
        driver_.click(length == 8 ? Control::Option4 : Control::Option3);
        choose(kind);
        const bool symbolic = kind == Both || kind == Symbolic;
        driver_.generate(symbolic ? length : 0);
        if (kind != Symbolic && driver_.field(1).empty())
            return failed(round, "Generate left the numeric field empty");
        if (driver_.field(2).size() != std::size_t(symbolic ? length : 0))
            return failed(round, "the symbolic field holds the wrong number of symbols");

        if (round % 10 == 0) {
            saveAndExpect(Save::Numeric, {{files::texts::kNumericLabel, 1}},
                          files::texts::kNumericFile, files::texts::kNumericSaved);
            saveAndExpect(Save::Symbolic, {{files::texts::kSymbolicLabel, 2}},
                          files::texts::kSymbolicFile, files::texts::kSymbolicSaved);
            saveAndExpect(Save::Both,
                          {{files::texts::kNumericLabel, 1}, {files::texts::kSymbolicLabel, 2}},
                          files::texts::kBothFile, files::texts::kBothSaved);
            if (!wrongBox_.empty()) return failed(round, wrongBox_.c_str());
        }
        if (round % 50 == 0) {
            if (driver_.clickWithBox(Control::Command2) != texts::kFieldsCleared)
                return failed(round, "Clear did not tell that the fields were cleared");
            if (!driver_.field(1).empty() || !driver_.field(2).empty())
                return failed(round, "Clear left a field filled");
        }
        if (round % 100 == 0) driver_.changeDpi(round % 200 ? 144 : 96);
        return true;
    }

    void choose(Kind kind) {
        // Unticking the check box leaves neither kind option selected.
        const bool wantChecked = kind == Both;
        if (kind == Neither && !checked_) toggleCheck1();
        if (checked_ != wantChecked) toggleCheck1();
        if (kind == Numeric) driver_.click(Control::Option1);
        if (kind == Symbolic) driver_.click(Control::Option2);
    }

    void toggleCheck1() {
        driver_.click(Control::Check1);
        checked_ = !checked_;
    }

    struct Line {
        const char16_t* label;
        int field;
    };

    // The box must tell the save's outcome; a save that succeeds replaces
    // what the file is expected to hold.
    void saveAndExpect(Save which, const std::vector<Line>& lines, const char16_t* file,
                       const char16_t* saved) {
        std::string bytes;
        bool empty = false;
        for (const Line& line : lines) {
            const std::u16string text = driver_.field(line.field);
            empty = empty || text.empty();
            bytes += files::toWindows1251(line.label + text).value_or("?") + "\r\n";
        }
        const std::u16string box = driver_.save(which);
        if (box != (empty ? files::texts::kEmptyField : saved))
            wrongBox_ = "a save showed the wrong box";
        else if (!empty)
            expected_[file] = bytes;
    }

    bool filesHoldWhatWasSaved() {
        for (const auto& [name, bytes] : expected_)
            if (driver_.fileBytes(name) != bytes) return failed(0, "a file lost its last save");
        if (expected_.size() != 3) return failed(0, "a kind of file was never saved");
        return true;
    }

    static bool failed(int round, const char* what) {
        std::fprintf(stderr, "soak: round %d: %s\n", round, what);
        return false;
    }

    SoakDriver& driver_;
    bool checked_ = false;
    std::string wrongBox_;
    std::map<std::u16string, std::string> expected_;
    std::map<int, std::vector<SoakDriver::Reading>> readings_;
};

}  // namespace quillop::bench
