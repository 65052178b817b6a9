#pragma once
// The context of a message: the texts that belong with it in the quest, so a translator can keep
// tone, gender and terms consistent. Found from the records of the target quest that hold the
// texts, not from the ids, so that two records with the same number stay apart.
#include <cstdint>
#include <vector>

class TtxgProject;

enum class TContextGroup {
  SamePath,       // the question, the text and the other texts of the same path
  SameValue2,     // the questions of the other paths with the same Value2
  SameLocation,   // the other texts of the same location
  SameParameter,  // the other texts of the same parameter
};

struct TContextEntry {
  TContextGroup Group;
  int32_t Message;
};

// The siblings of message n, grouped in the order of TContextGroup and by message number within a
// group; n itself and linked duplicates (which have no position of their own) are left out. Empty
// for a message outside the table or a text of the document itself.
std::vector<TContextEntry> MessageContext(const TtxgProject& project, int32_t n);
