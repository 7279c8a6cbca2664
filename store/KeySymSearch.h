#pragma once
// Which keysyms a search text finds: the text begins the keysym's name, or is the whole
// name; with or without regard to letter case, letters folded as the multibyte code page
// folds them. Hits come in the store's order (name order).
#include "store/KeySymStore.h"
#include <string>

class KeySymSearch {
public:
    KeySymSearch(std::string text, bool matchCase, bool wholeName);

    bool Matches(const std::string& name) const;

private:
    std::string m_text;
    std::string m_foldedText;   // for a search without regard to case
    bool m_matchCase;
    bool m_wholeName;
};
