#pragma once
// The engine's errors: a message naming the stage, and the code the reporter receives.

namespace varda::support {

/// One error of the engine; stages return a pointer to one of these, or nullptr for success.
struct RxFailure {
  const char* message;
  int code;
};

inline constexpr RxFailure kRxAllocFailed{"RXALLOC: allocation failed", 1};
inline constexpr RxFailure kRxNotReserved{"RXALLOC: rxreserve() failed/uncalled before call to rxalloc()", 1};
inline constexpr RxFailure kRxUnmatchedClose{"MAKEFSM: close brace with no matching open brace", 2};
inline constexpr RxFailure kRxExtraOpen{"MAKEFSM: extra '(' in regexp", 3};
inline constexpr RxFailure kRxTooManyLinks{"MAKEFSM: internal error - MAXLINKS exceeded", 4};
inline constexpr RxFailure kRxStarWithoutOperand{"MAKEFSM: operator used without operand (*)", 5};
inline constexpr RxFailure kRxPlusWithoutOperand{"MAKEFSM: operator used without operand (+)", 5};
inline constexpr RxFailure kRxQuestionWithoutOperand{"MAKEFSM: operator used without operand (?)", 5};
inline constexpr RxFailure kRxNestingTooDeep{"MAKEFSM: maximum nesting level exceeded", 6};
inline constexpr RxFailure kRxStackExceeded{"RUNFSM: number of backtrack positions exceeded STACKSIZE", 7};
inline constexpr RxFailure kRxUnprintable{"RXPP: unprintable character in regular expression", 8};
inline constexpr RxFailure kRxNotReleased{"RXALLOC: previously allocated memory not yet rxrelease()d", 9};
inline constexpr RxFailure kRxUnknownTest{"RUNFSM: internal error - unknown test type encountered", 10};

}  // namespace varda::support
