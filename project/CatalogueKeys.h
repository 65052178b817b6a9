#pragma once
// The catalogue's keys and the one lookup of a text by its key. A translated catalogue made for
// the first version holds only the required keys, so every key added since carries a built-in
// text that stands in for it.
#include <string>
#include <vector>

#include "quest/GameContent.h"

class TBlockParJD;

struct TAddedCatalogueKey {
  const char16_t* Key;
  const char16_t* DefaultText;
};

// The keys every catalogue defines, in a fixed order (captions, status line, commands, default
// quest texts).
const std::vector<std::u16string>& RequiredCatalogueKeys();
// The keys added after them, each with the text used when a catalogue lacks it.
const std::vector<TAddedCatalogueKey>& AddedCatalogueKeys();
// Every key: the required ones, then the added ones.
const std::vector<std::u16string>& CatalogueKeys();
// The built-in text of an added key; nullptr for a required or unknown key.
const char16_t* CatalogueDefaultText(const std::u16string& key);

// The catalogue's value when it has the key; else the built-in text of an added key; else
// "TBlockParJD.Block_Get. name=KEY", as Par_Get raises it.
std::u16string CatalogueValue(const TBlockParJD& catalogue, const std::u16string& key);

// The status line text of a kind of message; nullptr for a code of no known kind.
const char16_t* MessageKindKey(MessageKind kind);
