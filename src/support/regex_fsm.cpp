#include "support/regex_fsm.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/regex_pp.h"

namespace varda::support {

namespace {

constexpr std::uint32_t kSetBytes = 256 / 8;

/// Builds one automaton. The building follows the codes left to right; `current_` is the
/// state the next item starts from.
class FsmBuilder {
 public:
  FsmBuilder(std::string_view codes, RxArena& arena) : codes_(codes), arena_(arena) {}

  const RxFailure* build(RxFsm* fsm);

 private:
  /// A group being built; groups_[0] is the outermost level, whose alternatives end at
  /// an extra final state.
  struct Group {
    std::uint32_t start;  // state every alternative begins from
    std::uint32_t end;    // state the alternatives join at, once there is one
    bool hasEnd;
  };

  const RxFailure* newState(std::uint32_t* state);
  const RxFailure* link(std::uint32_t from, RxTest test, std::uint32_t to, std::uint32_t data = 0,
                        std::uint32_t length = 0, unsigned char ch = 0);
  /// Adds an item from the current state to a new one, which becomes the current state.
  const RxFailure* item(RxTest test, std::uint32_t data = 0, std::uint32_t length = 0, unsigned char ch = 0);
  const RxFailure* literalRun();
  const RxFailure* set();
  const RxFailure* quantifier(unsigned char code);
  const RxFailure* alternative();
  bool hasEmptyCycle() const;
  void findFirstCharacters(RxFsm* fsm) const;

  std::string_view codes_;
  std::size_t i_ = 0;  // next code
  RxArena& arena_;
  std::uint32_t current_ = 0;
  std::uint32_t operand_ = 0;  // start state of the last item (a quantifier's operand)
  bool hasOperand_ = false;
  Group groups_[kRxMaxOpenGroups + 1] = {};
  int open_ = 0;                       // groups open: groups_[1..open_]
  std::vector<std::uint32_t> states_;  // offsets of all states, ascending
};

const RxFailure* FsmBuilder::newState(std::uint32_t* state) {
  if (const RxFailure* failure = arena_.alloc(sizeof(RxState), state)) return failure;
  states_.push_back(*state);
  return nullptr;
}

const RxFailure* FsmBuilder::link(std::uint32_t from, RxTest test, std::uint32_t to, std::uint32_t data,
                                  std::uint32_t length, unsigned char ch) {
  RxState& state = *arena_.at<RxState>(from);
  if (state.count == kRxMaxLinks) return &kRxTooManyLinks;
  // Kept in trial order (ORDER RXTEST): the new link goes before every link of its own test
  // or a lower one.
  std::uint32_t at = 0;
  while (at < state.count && state.links[at].test > test) ++at;
  for (std::uint32_t j = state.count; j > at; --j) state.links[j] = state.links[j - 1];
  state.links[at] = RxLink{to, data, length, test, ch};
  ++state.count;
  return nullptr;
}

const RxFailure* FsmBuilder::item(RxTest test, std::uint32_t data, std::uint32_t length, unsigned char ch) {
  std::uint32_t next = 0;
  if (const RxFailure* failure = newState(&next)) return failure;
  if (const RxFailure* failure = link(current_, test, next, data, length, ch)) return failure;
  operand_ = current_;
  hasOperand_ = true;
  current_ = next;
  return nullptr;
}

// A run of literal characters is one text link; before a quantifier its last character
// is split off so that the quantifier applies to it alone. A single character followed
// by an operator is a one-character link; at the end of the expression it is a text of
// length 1 (a different test, so a different place in the preference order).
const RxFailure* FsmBuilder::literalRun() {
  const std::size_t begin = i_;
  std::size_t end = begin;
  while (end < codes_.size() && !isRxOperator(static_cast<unsigned char>(codes_[end]))) ++end;
  i_ = end;
  const bool atEnd = end == codes_.size();
  const bool quantified =
      !atEnd && (codes_[end] == kRxStar || codes_[end] == kRxPlus || codes_[end] == kRxQuestion);
  std::size_t textEnd = end;
  if (quantified || (!atEnd && end - begin == 1)) textEnd = end - 1;
  if (textEnd > begin) {
    const std::size_t length = textEnd - begin;
    std::uint32_t bytes = 0;
    if (const RxFailure* failure = arena_.alloc(length, &bytes)) return failure;
    std::memcpy(arena_.at<unsigned char>(bytes), codes_.data() + begin, length);
    if (const RxFailure* failure = item(kRxText, bytes, static_cast<std::uint32_t>(length))) return failure;
  }
  if (textEnd < end) return item(kRxChar, 0, 0, static_cast<unsigned char>(codes_[end - 1]));
  return nullptr;
}

// From just after "[" to after its "]". Ranges are expanded upwards from their first
// character: a reversed range adds nothing beyond its first character.
const RxFailure* FsmBuilder::set() {
  std::uint32_t map = 0;
  if (const RxFailure* failure = arena_.alloc(kSetBytes, &map)) return failure;
  unsigned char* bits = arena_.at<unsigned char>(map);
  auto add = [bits](unsigned c) { bits[c / 8] = static_cast<unsigned char>(bits[c / 8] | 1u << (c % 8)); };
  bool negated = false;
  if (i_ < codes_.size() && codes_[i_] == kRxSetNegate) {
    negated = true;
    ++i_;
  }
  unsigned previous = 0;
  while (i_ < codes_.size() && codes_[i_] != kRxSetClose) {
    const auto c = static_cast<unsigned char>(codes_[i_++]);
    if (c == kRxRange && i_ < codes_.size() && !isRxOperator(static_cast<unsigned char>(codes_[i_]))) {
      const auto last = static_cast<unsigned char>(codes_[i_++]);
      for (unsigned r = previous; r <= last; ++r) add(r);
      previous = last;
    } else {
      add(c);
      previous = c;
    }
  }
  if (i_ < codes_.size()) ++i_;  // the "]"
  if (negated) {
    for (std::uint32_t b = 0; b < kSetBytes; ++b) bits[b] = static_cast<unsigned char>(~bits[b]);
  }
  return item(kRxSetTest, map);
}

// x* : an early move from the start of x past a new state (skip), and from the end of x
//      an early move out to that state and a late move back to the start of x.
// x+ : a late move from the end of x back to its start.
// x? : an early move from the start of x to its end.
// The operand stays the same afterwards, so "x**" repeats "x*".
const RxFailure* FsmBuilder::quantifier(unsigned char code) {
  ++i_;
  if (!hasOperand_) {
    if (code == kRxStar) return &kRxStarWithoutOperand;
    if (code == kRxPlus) return &kRxPlusWithoutOperand;
    return &kRxQuestionWithoutOperand;
  }
  const std::uint32_t start = operand_;
  const std::uint32_t end = current_;
  if (code == kRxPlus) return link(end, kRxLateEmpty, start);
  if (code == kRxQuestion) return link(start, kRxEarlyEmpty, end);
  std::uint32_t after = 0;
  if (const RxFailure* failure = newState(&after)) return failure;
  if (const RxFailure* failure = link(start, kRxEarlyEmpty, after)) return failure;
  if (const RxFailure* failure = link(end, kRxEarlyEmpty, after)) return failure;
  if (const RxFailure* failure = link(end, kRxLateEmpty, start)) return failure;
  current_ = after;
  return nullptr;
}

// "|": the alternative just ended joins the group's end by an early move, and the next
// one begins again at the group's start.
const RxFailure* FsmBuilder::alternative() {
  ++i_;
  Group& group = groups_[open_];
  if (!group.hasEnd) {
    if (const RxFailure* failure = newState(&group.end)) return failure;
    group.hasEnd = true;
  }
  if (const RxFailure* failure = link(current_, kRxEarlyEmpty, group.end)) return failure;
  current_ = group.start;
  hasOperand_ = false;
  return nullptr;
}

// Whether the links that may consume nothing (empty moves, start and end of line) form a
// cycle: only then can the search come back to where it was (see regex_run.cpp).
bool FsmBuilder::hasEmptyCycle() const {
  auto index = [this](std::uint32_t offset) {
    return static_cast<std::size_t>(std::lower_bound(states_.begin(), states_.end(), offset) -
                                    states_.begin());
  };
  enum Mark : unsigned char {
    kNew,
    kOnPath,
    kDone
  };
  std::vector<Mark> marks(states_.size(), kNew);
  std::vector<std::pair<std::size_t, std::uint32_t>> path;  // state index, next link to follow
  for (std::size_t root = 0; root < states_.size(); ++root) {
    if (marks[root] != kNew) continue;
    marks[root] = kOnPath;
    path.emplace_back(root, 0);
    while (!path.empty()) {
      auto& [state, next] = path.back();
      const RxState& s = *arena_.at<RxState>(states_[state]);
      if (next == s.count) {
        marks[state] = kDone;
        path.pop_back();
        continue;
      }
      const RxLink& link = s.links[next++];
      if (link.test != kRxEarlyEmpty && link.test != kRxLateEmpty && link.test != kRxStartOfLine &&
          link.test != kRxEndOfLine)
        continue;
      const std::size_t target = index(link.target);
      if (marks[target] == kOnPath) return true;
      if (marks[target] == kNew) {
        marks[target] = kOnPath;
        path.emplace_back(target, 0);
      }
    }
  }
  return false;
}

void FsmBuilder::findFirstCharacters(RxFsm* fsm) const {
  const RxState& start = *arena_.at<RxState>(fsm->start);
  unsigned char* first = fsm->first;
  auto add = [first](unsigned c) { first[c / 8] = static_cast<unsigned char>(first[c / 8] | 1u << (c % 8)); };
  for (std::uint32_t i = 0; i < start.count; ++i) {
    const RxLink& link = start.links[i];
    switch (link.test) {
      case kRxChar: add(link.ch); break;
      case kRxText: add(*arena_.at<unsigned char>(link.data)); break;
      case kRxSetTest:
        for (std::uint32_t b = 0; b < kSetBytes; ++b) first[b] |= *arena_.at<unsigned char>(link.data + b);
        break;
      case kRxAnyChar:
        for (unsigned c = 0; c < 256; ++c) {
          if (c != '\n') add(c);
        }
        break;
      default: return;  // a link that may consume nothing: every start position is searched
    }
  }
  fsm->firstKnown = true;
}

const RxFailure* FsmBuilder::build(RxFsm* fsm) {
  if (const RxFailure* failure = arena_.reserve()) return failure;
  if (const RxFailure* failure = newState(&current_)) return failure;
  fsm->start = current_;
  groups_[0] = Group{current_, 0, false};
  while (i_ < codes_.size()) {
    const auto code = static_cast<unsigned char>(codes_[i_]);
    const RxFailure* failure = nullptr;
    switch (code) {
      case kRxStar:
      case kRxPlus:
      case kRxQuestion: failure = quantifier(code); break;
      case kRxSetOpen:
        ++i_;
        failure = set();
        break;
      case kRxAny:
        ++i_;
        failure = item(kRxAnyChar);
        break;
      case kRxLineStart:
        ++i_;
        failure = item(kRxStartOfLine);
        break;
      case kRxLineEnd:
        ++i_;
        failure = item(kRxEndOfLine);
        break;
      case kRxGroupOpen:
        ++i_;
        if (open_ == kRxMaxOpenGroups) return &kRxNestingTooDeep;
        groups_[++open_] = Group{current_, 0, false};
        hasOperand_ = false;
        break;
      case kRxGroupClose: {
        ++i_;
        if (open_ == 0) return &kRxUnmatchedClose;
        const Group group = groups_[open_--];
        if (group.hasEnd) {
          failure = link(current_, kRxEarlyEmpty, group.end);
          current_ = group.end;
        }
        operand_ = group.start;  // a quantifier after ")" applies to the whole group
        hasOperand_ = true;
        break;
      }
      case kRxAlternative: failure = alternative(); break;
      default:
        // A range or set code outside a set cannot come from preprocessRx; a literal run
        // stops at it, so it is skipped here.
        if (isRxOperator(code)) {
          ++i_;
        } else {
          failure = literalRun();
        }
        break;
    }
    if (failure != nullptr) return failure;
  }
  if (open_ > 0) return &kRxExtraOpen;
  if (groups_[0].hasEnd) {
    if (const RxFailure* failure = link(current_, kRxEarlyEmpty, groups_[0].end)) return failure;
    current_ = groups_[0].end;
  }
  if (const RxFailure* failure = link(current_, kRxAccept, current_)) return failure;
  fsm->emptyCycles = hasEmptyCycle();
  findFirstCharacters(fsm);
  return nullptr;
}

}  // namespace

const RxFailure* makeRxFsm(std::string_view codes, RxArena& arena, RxFsm* fsm) {
  return FsmBuilder(codes, arena).build(fsm);
}

}  // namespace varda::support
