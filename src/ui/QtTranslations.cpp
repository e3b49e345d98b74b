#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace flowcfg {
namespace {

struct State {
    std::unique_ptr<QTranslator> translator;
    int language = 2;
};

State& state() {
    static State s;
    return s;
}

const char* qtName(int language) {
    switch (language) {
        case 1:
            return "qtbase_fr";
        case 3:
            return "qtbase_pt_BR";
        case 4:
            return "qtbase_de";
        case 5:
            return "qtbase_es";
        default:
            return nullptr;
    }
}

}  // namespace

void QtTranslations::use(int language) {
    State& s = state();
    if (language == s.language) return;
    s.language = language;
    if (s.translator) {
        QCoreApplication::removeTranslator(s.translator.get());
        s.translator.reset();
    }
    const char* name = qtName(language);
    if (!name) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLatin1(name),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    s.translator = std::move(translator);
}

int QtTranslations::language() {
    return state().language;
}

}  // namespace flowcfg
