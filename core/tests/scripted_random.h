#pragma once

#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "message_boxes.h"
#include "random_source.h"

namespace quillop::testing {

// A deterministic source for tests only: hands out the values it was given and
// records every call, so a test proves which values each password consumed.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<double> values = {}) : values_(values) {}
    void push(double value) { values_.push_back(value); }

    double NextRandom() override {
        if (failing) throw RandomUnavailable("scripted failure");
        if (values_.empty()) {
            ADD_FAILURE() << "more draws than the test scripted";
            return 0.0;
        }
        const double value = values_.front();
        values_.pop_front();
        calls.push_back("next");
        return value;
    }
    void Reseed(float seed) override { calls.push_back("reseed " + std::to_string(seed)); }

    std::size_t remaining() const { return values_.size(); }

    bool failing = false;
    std::vector<std::string> calls;

private:
    std::deque<double> values_;
};

class FixedClock final : public Clock {
public:
    float ClockSeconds() override { return 4242.5f; }
};

struct ShownMessage {
    std::u16string text;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override {
        shown.push_back({text, icon, buttons});
        return answer;
    }
    MessageAnswer answer = MessageAnswer::Ok;
    std::vector<ShownMessage> shown;
};

// The largest double below 1.
inline const double kJustBelowOne = std::nextafter(1.0, 0.0);

}  // namespace quillop::testing
