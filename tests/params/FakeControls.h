#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "params/FieldControlFactory.h"

namespace flowcfg::testing {

// Controls that remember what the field did to them, the way a window would show it.
struct FakeControl : FieldControl {
    FieldControlSpec request;
    std::string shown;
    bool visible = true;
    bool enabled = true;
    std::vector<std::string> items;
    int selection = -1;
    double low = 0, high = 0;
    std::string format;

    void setText(const std::string& text) override { shown = text; }
    std::string text() const override { return shown; }
    void setVisible(bool v) override { visible = v; }
    void setEnabled(bool e) override { enabled = e; }
    void setItems(const std::vector<std::string>& list, int select) override {
        items = list;
        this->select(select);
    }
    int select(int value) override {
        if (value < 0 || value >= int(items.size())) return -1;
        selection = value;
        shown = items[std::size_t(value)];
        return 0;
    }
    int selectedValue() const override { return selection < 0 ? 0 : selection; }
    int setFormat(double l, double h, const std::string& f) override {
        if (f.size() < 2) return -1;
        low = l;
        high = h;
        format = f;
        return 0;
    }
};

// Creates fake controls, keeps a view of each by dialog item, and fails on request.
struct FakeFactory : FieldControlFactory {
    std::map<int, FakeControl*> byId;  // owned by the fields
    std::vector<FieldControlSpec> created;
    std::map<int, std::string> tabTitles;
    int failAt = -1;  // index of the creation that fails

    std::unique_ptr<FieldControl> createControl(const FieldControlSpec& request) override {
        if (int(created.size()) == failAt) return nullptr;
        created.push_back(request);
        auto control = std::make_unique<FakeControl>();
        control->request = request;
        byId[request.controlId] = control.get();
        return control;
    }
    void setTabTitle(int tab, const std::string& title) override { tabTitles[tab] = title; }
    FakeControl& at(int id) { return *byId.at(id); }
};

}  // namespace flowcfg::testing
