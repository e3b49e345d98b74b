#pragma once

#include <string>
#include <vector>

#include "link/SearchProgress.h"

namespace flowcfg::testing {

// Keeps everything a search showed, in order.
struct RecordingSearchProgress : SearchProgress {
    std::string title;
    std::vector<std::string> firstLines;
    std::vector<std::string> secondLines;
    std::vector<std::pair<int, int>> ranges;  // maximum, starting position
    int position = 0;
    int steps = 0;
    bool finished = false;
    bool found = false;
    std::string buttonText;

    void SetTitle(const std::string& text) override { title = text; }
    void SetFirstLine(const std::string& text) override { firstLines.push_back(text); }
    void SetSecondLine(const std::string& text) override { secondLines.push_back(text); }
    void SetRange(int maximum, int start) override {
        ranges.emplace_back(maximum, start);
        position = start;
    }
    void SetPosition(int value) override { position = value; }
    void Step() override {
        ++steps;
        ++position;
    }
    void Finished(bool wasFound, const std::string& text) override {
        finished = true;
        found = wasFound;
        buttonText = text;
    }
};

}  // namespace flowcfg::testing
