#pragma once

#include <cstdint>
#include <string_view>

namespace unrealpkg {

enum class NativeKind : std::uint8_t { Function = 0, PrefixOperator = 1, PostfixOperator = 2, InfixOperator = 3 };

struct NativeFunction {
  int Index;
  NativeKind Kind;
  int Precedence;  // infix operators only
  std::string_view Name;
};

// The engine's native functions that compiled script calls by number; nullptr for an unknown number.
const NativeFunction* FindNativeFunction(int index);
int NativeFunctionCount();

}  // namespace unrealpkg
