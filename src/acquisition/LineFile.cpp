#include "acquisition/LineFile.h"

namespace flowcfg {

bool LineFile::create(const std::string& path) {
    close();
    path_ = path;
    written_ = 0;
    pending_.clear();
    if (!file_.open(path, PosixFile::Access::CreateTruncate)) {
        error_ = file_.error();
        return false;
    }
    error_ = 0;
    return true;
}

bool LineFile::append(std::string_view lines) {
    if (!file_.isOpen()) return false;
    pending_.append(lines);
    return pending_.size() < kFlushSize || flush();
}

bool LineFile::flush() {
    if (!file_.isOpen()) return false;
    if (pending_.empty()) return true;
    if (!file_.writeAt(written_, pending_.data(), pending_.size())) {
        error_ = file_.error();
        file_.truncate(written_);
        pending_.clear();
        return false;
    }
    written_ += static_cast<std::int64_t>(pending_.size());
    pending_.clear();
    return true;
}

bool LineFile::close() {
    if (!file_.isOpen()) return error_ == 0;
    const bool flushed = flush();
    file_.close();
    return flushed;
}

}  // namespace flowcfg
