#pragma once
// The catalogue lookup the window's panels are given: the value of a key as the controls show it
// (an added key the catalogue lacks shows its built-in text); a missing required key raises its
// error.
#include <QString>

#include <functional>

#include "project/CatalogueKeys.h"

using TCatalogueText = std::function<QString(const char16_t* key)>;

// The lookup over `catalogue`, which must outlive it.
inline TCatalogueText CatalogueLookup(const TBlockParJD& catalogue) {
  return [&catalogue](const char16_t* key) { return QString::fromStdU16String(CatalogueValue(catalogue, key)); };
}
