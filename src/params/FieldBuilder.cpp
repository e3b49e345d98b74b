#include "params/FieldBuilder.h"

namespace flowcfg {

namespace {
constexpr int kWindowless = VariableDescriptor::kWindowless | VariableDescriptor::kNeverPrinted;
constexpr int kWindowlessUnprinted = kWindowless | VariableDescriptor::kNotPrinted;
}  // namespace

FieldBuilder::FieldBuilder(VariableTable& table, ParameterLayout& layout)
    : table_(table), layout_(layout) {}

void FieldBuilder::home(TabKind kind, int pipe) {
    kind_ = kind;
    pipe_ = pipe;
    group_ = -1;
    hiddenAtNormal_ = false;
    condition_ = true;
}

void FieldBuilder::group(int titleText, const std::string& suffix) {
    ParameterTab* tab = layout_.find(kind_, pipe_);
    tab->groups.push_back(ParameterGroup{titleText, suffix, {}});
    group_ = int(tab->groups.size()) - 1;
}

void FieldBuilder::command(int id, int text) {
    layout_.find(kind_, pipe_)->commands.push_back(ParameterCommand{id, text, group_});
}

namespace {

VariableDescriptor describe(const FieldSpec& s) {
    VariableDescriptor d;
    d.controlId = s.id;
    d.flags = s.flags;
    d.captionText = s.caption;
    d.kind = s.kind;
    d.listText = s.list;
    d.initialValue = s.initial;
    d.unitText = s.unit;
    d.unitEntry = s.unitEntry;
    d.low = s.low;
    d.high = s.high;
    d.format = s.format;
    d.encoding = s.encoding;
    d.offset = s.offset;
    d.block = s.block;
    return d;
}

}  // namespace

void FieldBuilder::addUnlisted(const FieldSpec& field) {
    table_.Register(describe(field));
}

void FieldBuilder::add(const FieldSpec& s) {
    ParameterTab* tab = layout_.find(kind_, pipe_);
    const ParameterTab* general = layout_.find(TabKind::General);
    VariableDescriptor d = describe(s);
    if (s.flags & VariableDescriptor::kWindowless) {
        d.tab = -1;
    } else if (!condition_) {
        d.tab = -1;
        d.flags = kWindowless;
    } else if (tab->shown) {
        d.tab = tab->index;
    } else if (kind_ == TabKind::Linearization) {
        d.tab = general->index;
        d.flags = kWindowless;
    } else if (kind_ == TabKind::Advanced && hiddenAtNormal_ &&
               options().level == LayoutOptions::kNormal) {
        d.tab = general->index;
        d.flags = VariableDescriptor::kHidden;
    } else {
        d.tab = -1;
        d.flags = kind_ == TabKind::Totalizers ? kWindowlessUnprinted : kWindowless;
    }
    table_.Register(d);
    if (group_ < 0) group(0);
    tab->groups[std::size_t(group_)].fields.push_back(s.id);
}

void FieldBuilder::list(int id, int caption, int listText, int initial, int offset, int block,
                        double first, double count) {
    add({.id = id,
         .caption = caption,
         .kind = VariableDescriptor::kList,
         .list = listText,
         .initial = std::to_string(initial),
         .low = first,
         .high = count,
         .format = "%l",
         .offset = offset,
         .block = block});
}

void FieldBuilder::number(int id, int caption, const std::string& format, double low, double high,
                          const std::string& initial, int offset, int block, int unit,
                          int encoding) {
    add({.id = id,
         .caption = caption,
         .kind = VariableDescriptor::kEdit,
         .initial = initial,
         .unit = unit,
         .low = low,
         .high = high,
         .format = format,
         .encoding = encoding,
         .offset = offset,
         .block = block});
}

void FieldBuilder::display(int id, int caption, const std::string& format, int offset, int block,
                           int encoding, int listText, int unit) {
    add({.id = id,
         .caption = caption,
         .kind = VariableDescriptor::kDisplay,
         .list = listText,
         .unit = unit,
         .format = format,
         .encoding = encoding,
         .offset = offset,
         .block = block});
}

void FieldBuilder::text(int id, int caption, int length, const std::string& initial, int offset,
                        int block, int kind) {
    add({.id = id,
         .caption = caption,
         .kind = kind,
         .initial = initial,
         .high = double(length),
         .format = "%s",
         .encoding = 0x500,
         .offset = offset,
         .block = block});
}

}  // namespace flowcfg
