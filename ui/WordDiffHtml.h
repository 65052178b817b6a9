#pragma once
// Rich text of a word-by-word difference, for the labels of the window: deleted words struck
// through, inserted words highlighted, the rest plain.
#include <QString>

#include <string_view>

QString WordDiffHtml(std::u16string_view before, std::u16string_view after);
// A text as rich text that shows exactly it: markup characters escaped, line breaks kept.
QString PlainTextHtml(std::u16string_view text);
