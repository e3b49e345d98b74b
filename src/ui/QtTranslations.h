#pragma once

namespace flowcfg {

// Qt's own words (the file dialogs' "Look in:", "Cancel", the context menus of edit boxes) in
// the program's language, from the translations installed with Qt. English, or a language whose
// translation is missing, leaves Qt's English.
class QtTranslations {
public:
    // Language code 1 (French) ... 5 (Spanish); replaces the language used so far.
    static void use(int language);
    // The language in use (2, English, before any call).
    static int language();
};

}  // namespace flowcfg
