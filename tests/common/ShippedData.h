#pragma once
// The data the program ships with, as the tests read it: the catalogue (loaded once per test
// binary) and the sample quest.
#include <string>

class TBlockParJD;

const TBlockParJD& ShippedCatalogue();
std::string SampleQuestPath();
