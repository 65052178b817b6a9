#include "support/JD_BlockPar.h"

#include <string>
#include <utility>
#include <vector>

#include "support/JD_Buf.h"
#include "support/JD_Error.h"
#include "support/JD_Str.h"

namespace {

// A file that includes itself (directly or through others) would otherwise nest forever.
constexpr int kMaxIncludeDepth = 32;
thread_local int includeDepth = 0;

class IncludeDepthGuard {
 public:
  IncludeDepthGuard() { ++includeDepth; }
  ~IncludeDepthGuard() { --includeDepth; }
  IncludeDepthGuard(const IncludeDepthGuard&) = delete;
  IncludeDepthGuard& operator=(const IncludeDepthGuard&) = delete;
};

bool Contains(const std::u16string& text, const std::u16string& separator) {
  return GetCountParJD(text, separator) > 1;
}

// Everything behind the first separator, further separators included.
std::u16string TextAfterFirst(const std::u16string& text, const std::u16string& separator) {
  return GetParsJD(text, 1, GetCountParJD(text, separator) - 1, separator);
}

bool LineAvailable(const TBufJD& buffer, bool eightBit) {
  // A single byte left in UTF-16LE text is no code unit and can never be read as a line.
  return eightBit ? !buffer.AtEnd() : buffer.Size() - buffer.Pointer() >= 2;
}

std::u16string ReadLine(TBufJD& buffer, bool eightBit) {
  return eightBit ? AnsiToWide(buffer.GetLineA()) : buffer.GetLineW();
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TBlockParElJD::TBlockParElJD() = default;

TBlockParElJD::~TBlockParElJD() { Clear(); }

void TBlockParElJD::Clear() {
  SubBlock.reset();
  Kind = KindComment;
  Name.clear();
  Value.clear();
  Comment.clear();
}

void TBlockParElJD::MakeBlock() {
  SubBlock = std::make_unique<TBlockParJD>();
  Kind = KindBlock;
  Value.clear();
}

// ---------------------------------------------------------------------------------------------

TBlockParJD::~TBlockParJD() { Clear(); }

void TBlockParJD::Clear() {
  // Sub-blocks are taken apart with a work list rather than by recursion, so that a deeply
  // nested tree cannot exhaust the stack when it is freed.
  std::vector<std::unique_ptr<TBlockParJD>> pending;
  auto releaseElements = [&pending](TBlockParJD& block) {
    TBlockParElJD* element = block.first_;
    block.first_ = nullptr;
    block.last_ = nullptr;
    while (element != nullptr) {
      TBlockParElJD* next = element->Next;
      if (element->SubBlock) pending.push_back(std::move(element->SubBlock));
      delete element;
      element = next;
    }
  };
  releaseElements(*this);
  while (!pending.empty()) {
    std::unique_ptr<TBlockParJD> block = std::move(pending.back());
    pending.pop_back();
    releaseElements(*block);
  }
}

TBlockParElJD* TBlockParJD::El_New() {
  auto* element = new TBlockParElJD;
  element->Owner = this;
  element->Previous = last_;
  if (last_ != nullptr)
    last_->Next = element;
  else
    first_ = element;
  last_ = element;
  return element;
}

TBlockParElJD* TBlockParJD::Par_Add(const std::u16string& name, const std::u16string& value) {
  TBlockParElJD* element = El_New();
  element->Kind = TBlockParElJD::KindParameter;
  element->Name = name;
  element->Value = value;
  return element;
}

TBlockParJD* TBlockParJD::Block_Add(const std::u16string& name) {
  TBlockParElJD* element = El_New();
  element->MakeBlock();
  element->Name = name;
  return element->SubBlock.get();
}

const std::u16string* TBlockParJD::Par_Find(const std::u16string& name) const {
  for (TBlockParElJD* element = first_; element != nullptr; element = element->Next)
    if (element->Kind == TBlockParElJD::KindParameter && element->Name == name) return &element->Value;
  return nullptr;
}

std::u16string TBlockParJD::Par_Get(const std::u16string& name) const {
  if (const std::u16string* value = Par_Find(name)) return *value;
  throw TExceptionJD("TBlockParJD.Block_Get. name=" + WideToAnsi(name));
}

void TBlockParJD::LoadFromFile(const std::string& fileName, bool keepComments) {
  if (includeDepth > kMaxIncludeDepth) {
    TExceptionJD error("TBlockParJD.LoadFromFile. FileName=" + fileName + " includes nested deeper than " +
                       std::to_string(kMaxIncludeDepth) + " levels");
    error.FileName = fileName;
    throw error;
  }
  IncludeDepthGuard guard;
  WithFileContext(fileName, [&] {
    TBufJD buffer;
    buffer.LoadFromFile(fileName);
    LoadFromBuf(buffer, keepComments);
  });
}

void TBlockParJD::LoadFromBuf(TBufJD& buffer, bool keepComments) {
  if (buffer.Size() - buffer.Pointer() < 3) return;
  bool eightBit = buffer.GetWord() != static_cast<int16_t>(0xFEFF);
  if (eightBit) buffer.PointerSet(buffer.Pointer() - 2);
  LoadFromBuf_r(buffer, u"", keepComments, eightBit);
}

void TBlockParJD::LoadFromBuf_r(TBufJD& buffer, const std::u16string& firstLine, bool keepComments, bool eightBit) {
  // Blocks opened inside this one, innermost last. An explicit stack instead of recursion keeps
  // deep nesting in a file from exhausting the call stack.
  struct OpenBlock {
    TBlockParJD* block;
    std::u16string includeName;
  };
  std::vector<OpenBlock> open;
  auto current = [&]() -> TBlockParJD& { return open.empty() ? *this : *open.back().block; };
  // A closed block gets its include file behind its own lines.
  auto closeInnermost = [&] {
    OpenBlock closed = std::move(open.back());
    open.pop_back();
    if (!closed.includeName.empty()) closed.block->LoadFromFile(WideToAnsi(closed.includeName), false);
  };

  // The pending text behind a "{" is parsed even when the opening line is the last of the data.
  std::u16string line = TrimJD(firstLine);
  for (;;) {
    if (line.empty()) {
      if (!LineAvailable(buffer, eightBit)) break;
      line = TrimJD(ReadLine(buffer, eightBit));
    }
    std::u16string comment = GetCommentJD(line);
    std::u16string content = TrimJD(CutCommentJD(line));
    line.clear();

    if (Contains(content, u"{")) {
      std::u16string header = TrimJD(GetParJD(content, 0, u"{"));
      if (header.empty()) throw TExceptionJD("TBlockParJD.LoadFromBuf_r. tstr=" + WideToAnsi(content));
      std::u16string name = header;
      std::u16string includeName;
      if (GetCountParJD(header, u"=") == 2) {
        name = TrimJD(GetParJD(header, 0, u"="));
        includeName = TrimJD(GetParJD(header, 1, u"="));
      }
      TBlockParJD* block = current().Block_Add(name);
      open.push_back(OpenBlock{block, includeName});
      line = TrimJD(TextAfterFirst(content, u"{"));
    } else if (Contains(content, u"}")) {
      // The rest of a closing line is discarded; a "}" at this call's own level ends the call.
      if (open.empty()) return;
      closeInnermost();
    } else if (Contains(content, u"=")) {
      TBlockParElJD* parameter = current().Par_Add(TrimJD(GetParJD(content, 0, u"=")), TextAfterFirst(content, u"="));
      if (keepComments) parameter->Comment = comment;
    } else if (keepComments) {
      current().El_New()->Comment = comment;
    }
  }
  // The end of the data closes every block still open, innermost first.
  while (!open.empty()) closeInnermost();
}
