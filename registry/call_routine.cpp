#include <utility>

#include "registry/operations.h"

namespace {
template <std::size_t>
using Int = std::int32_t;

// One caller per convention and argument count; the routine gets exactly the arguments given.
template <bool callerCleans, std::size_t... I>
std::int32_t call(Address routine, const std::int32_t* arguments, std::index_sequence<I...>) {
    if constexpr (callerCleans) {
        using Routine = std::int32_t(VANTREL_CDECL*)(Int<I>...);
        return reinterpret_cast<Routine>(routine)(arguments[I]...);
    } else {
        using Routine = std::int32_t(VANTREL_STDCALL*)(Int<I>...);
        return reinterpret_cast<Routine>(routine)(arguments[I]...);
    }
}

using Caller = std::int32_t (*)(Address, const std::int32_t*);

template <bool callerCleans, std::size_t... Counts>
constexpr std::array<Caller, sizeof...(Counts)> callers(std::index_sequence<Counts...>) {
    return {[](Address routine, const std::int32_t* arguments) {
        return call<callerCleans>(routine, arguments, std::make_index_sequence<Counts>());
    }...};
}

constexpr auto kStandardCallers = callers<false>(std::make_index_sequence<kRoutineArguments + 1>());
constexpr auto kCCallers = callers<true>(std::make_index_sequence<kRoutineArguments + 1>());
}  // namespace

bool callRoutine(Accessor, Address routine, std::int32_t callerCleans, std::int32_t,
                 std::int32_t& result, std::int32_t, const RoutineArguments& arguments) {
    // Absent arguments are left out, not passed as zero.
    std::int32_t present[kRoutineArguments] = {};
    std::size_t count = 0;
    for (const OptionalInt& argument : arguments) {
        if (argument) present[count++] = *argument;
    }
    const Caller caller = callerCleans != 0 ? kCCallers[count] : kStandardCallers[count];
    result = caller(routine, present);
    return true;
}
