#pragma once
// A glossary of made-up terms for the glossary's speed figures: Russian-like words of three to
// five syllables with English-like translations, every fifth term two words, and, first, the few
// real words the full-capacity quest is written with, so that its texts have terms to find.
#include <cstddef>

#include "glossary/Glossary.h"

TGlossary GeneratedGlossary(std::size_t terms);
