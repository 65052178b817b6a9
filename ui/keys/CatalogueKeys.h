#pragma once
// The catalogue keys the window reads, kept free of Qt so that xgtool can check a catalogue
// against the same list the window checks at start-up.
#include <string>
#include <vector>

#include "quest/GameContent.h"

// Every key, in a fixed order (captions, status line, commands, default quest texts).
const std::vector<std::u16string>& CatalogueKeys();
// The status line text of a kind of message; nullptr for a code of no known kind.
const char16_t* MessageKindKey(MessageKind kind);
