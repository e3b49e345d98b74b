#pragma once

#include <QGuiApplication>
#include <memory>

namespace flowcfg {

// The Qt application that drawing a report needs (fonts, printers), for a program that has
// none, the command-line tool: on the offscreen platform when there is no display and no
// platform was chosen. Nothing when the program has a Qt application already. Numbers keep
// being written with a decimal point, whatever the user's locale says.
class PrintSession {
public:
    PrintSession();
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

private:
    int argc_ = 1;
    char name_[12] = "flowcfg-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace flowcfg
