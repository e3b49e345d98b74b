#include "params/BlockPage.h"

#include "params/ParameterTexts.h"
#include "params/PrintedFields.h"
#include "texts/TextIds.h"

namespace flowcfg {

BlockPage::BlockPage(PageContext context, int mode, std::string fileName)
    : table_(context.language),
      messages_(context.prompts, context.language),
      progress_(context.progress),
      line_(context.line),
      exchange_(table_, context.line, messages_, context.progress),
      mode_(mode),
      fileName_(std::move(fileName)) {}

int BlockPage::readGroup() {
    return exchange_.ReadParameterSet();
}

int BlockPage::loadFile(const std::string& path, const std::string& tag,
                        const std::function<void(int)>& afterStore) {
    PageFile::Status status = PageFile::Load(path, tag, table_, afterStore);
    if (status == PageFile::Status::CannotOpen) {
        messages_.showError(216, paramtext::kError, path);  // "Couldn't open source file : "
        return -1;
    }
    if (status != PageFile::Status::Ok) {
        messages_.showError(paramtext::kIncorrectFile, paramtext::kError);
        return -1;
    }
    fileName_ = path;
    return 0;
}

int BlockPage::saveFile(const std::string& path, const std::string& tag) {
    PageFile::Status status = PageFile::Save(path, tag, table_);
    if (status == PageFile::Status::CannotOpen) {
        messages_.showError(205, paramtext::kError);  // "Can not open destination file !"
        return -1;
    }
    if (status != PageFile::Status::Ok) {
        messages_.showError(textid::kTextCannotWriteFile, paramtext::kError);
        return -1;
    }
    fileName_ = path;
    return 0;
}

bool BlockPage::confirmTransfer() {
    return noConfirmation_ || messages_.askYesNo(paramtext::kTransferQuestion, paramtext::kCaution);
}

void BlockPage::leaveWindowlessUnprinted() {
    for (BoundField& field : table_.fields())
        if (field.descriptor().flags & VariableDescriptor::kWindowless) field.setPrinted(false);
}

void BlockPage::finishSequence(const std::string& extension,
                               const std::function<int(const std::string&)>& save) {
    if (mode_ & kModeSave)
        result_ = save(saveStem_ + extension) == 0 ? kOk : kCancel;
    else if (mode_ & kModePrint)
        result_ = print_ && print_() == 0 ? kOk : kCancel;
}

PrintReport BlockPage::Report(const std::string& title) {
    return PrintedFields::Of(table_, title);
}

}  // namespace flowcfg
