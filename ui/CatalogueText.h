#pragma once
// The catalogue lookup the window's panels are given: the value of a key as the controls show it;
// a missing key raises its error.
#include <QString>

#include <functional>

using TCatalogueText = std::function<QString(const char16_t* key)>;
