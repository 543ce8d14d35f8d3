#include <algorithm>
#include <cstdio>

#include "platform/TextEncoding.h"
#include "unrealpkg/NativeFunctions.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TUTValue.h"

namespace unrealpkg {

namespace {

// Real scripts nest a few dozen tokens deep at most (16 in the stock packages); a
// hostile stream must not exhaust the stack, also in sanitizer builds.
constexpr int MaxTokenDepth = 256;

std::string Hex(const char* format, unsigned value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

[[noreturn]] void FailUnknownOpCode(unsigned token) {
  throw ReadError(Hex("Unknown OpCode 0x%02X. Will try to continue.", token));
}

std::string Parenthesized(const std::string& text) {
  return !text.empty() && text.front() == '(' ? text : "(" + text + ")";
}

}  // namespace

void TUTObjectClassStruct::ClearWalker() {
  memoryOffset_ = 0;
  depth_ = 0;
  jumpTargets_.clear();
  labelTable_.clear();
}

void TUTObjectClassStruct::StepThroughScript() {
  while (memoryOffset_ < scriptSize_) DecodeToken(255);
  labelTable_.clear();
  jumpTargets_.clear();
}

std::string TUTObjectClassStruct::JumpLabel(std::uint16_t offset) {
  if (std::find(jumpTargets_.begin(), jumpTargets_.end(), offset) == jumpTargets_.end())
    jumpTargets_.push_back(offset);
  return Hex("JL%04X", offset);
}

std::string TUTObjectClassStruct::DecodeParameters() {
  std::string text;
  for (;;) {
    std::string parameter = DecodeToken(255);
    if (parameter == ")") break;
    if (!text.empty()) text += ',';
    text += parameter;
  }
  return text + ")";
}

std::string TUTObjectClassStruct::DecodeNativeCall(int nativeIndex, int precedence) {
  if (nativeIndex < 112) throw ReadError(Hex("Invalid native function index 0x%02X", static_cast<unsigned>(nativeIndex)));
  const NativeFunction* function = FindNativeFunction(nativeIndex);
  if (!function || function->Kind == NativeKind::Function) {
    const std::string name =
        function ? std::string(function->Name) : "UnknownFunction" + std::to_string(nativeIndex);
    return name + "(" + DecodeParameters();
  }
  const std::string name(function->Name);
  switch (function->Kind) {
    case NativeKind::PrefixOperator: {
      const std::string operand = DecodeToken(255);
      DecodeToken(255);
      return name + operand;
    }
    case NativeKind::PostfixOperator: {
      const std::string operand = DecodeToken(255);
      DecodeToken(255);
      return operand + name;
    }
    default: {
      const std::string left = DecodeToken(function->Precedence);
      const std::string right = DecodeToken(function->Precedence);
      DecodeToken(255);
      const std::string text = left + " " + name + " " + right;
      return precedence < function->Precedence ? "(" + text + ")" : text;
    }
  }
}

std::string TUTObjectClassStruct::DecodeToken(int precedence) {
  if (depth_ >= MaxTokenDepth) throw ReadError("Script tokens nested too deeply");
  ++depth_;
  struct DepthGuard {
    int& depth;
    ~DepthGuard() { --depth; }
  } guard{depth_};

  ByteReader& in = Stream();
  TUTPackage& package = Package();
  const unsigned token = in.ReadByte();
  memoryOffset_ += 1;

  // Operands: references and names are compact in the file but four bytes in memory.
  auto reference = [&] {
    memoryOffset_ += 4;
    return in.ReadIndex();
  };
  auto word = [&] {
    memoryOffset_ += 2;
    return in.ReadWord();
  };
  auto byte = [&] {
    memoryOffset_ += 1;
    return in.ReadByte();
  };
  auto expression = [&] { return DecodeToken(255); };
  auto cast = [&](const char* type) { return std::string(type) + "(" + expression() + ")"; };

  switch (token) {
    case 0x00:
    case 0x01:
    case 0x29:
      return package.ObjectNameOf(reference());
    case 0x02:
      return "Default." + package.ObjectNameOf(reference());
    case 0x04:
      return Version() >= 62 ? "return " + expression() : "return";
    case 0x05: {
      byte();
      return "switch " + Parenthesized(expression()) + " {";
    }
    case 0x06:
      return "goto " + JumpLabel(word());
    case 0x07: {
      const std::uint16_t target = word();
      return "if (! " + expression() + " ) goto " + JumpLabel(target);
    }
    case 0x08:
      return "stop";
    case 0x09: {
      word();
      return "assert (" + expression() + ")";
    }
    case 0x0A:
      return word() == 0xFFFF ? std::string("default:") : "case " + expression() + ":";
    case 0x0B:
      return {};
    case 0x0C:
      for (;;) {
        const std::int32_t name = in.ReadIndex();
        const std::int32_t offset = in.ReadInt32();
        memoryOffset_ += 8;
        if (EqualsIgnoreCase(package.GetName(name), "none")) break;
        labelTable_.emplace_back(name, offset);
      }
      return {};
    case 0x0D:
      return "goto (" + expression() + ")";
    case 0x0E:
      return expression();
    case 0x14:
      if (Version() == 61 && memoryOffset_ == 1) {
        // Old packages open some scripts with a list of byte pairs ended by a zero.
        while (byte() != 0) byte();
        return {};
      }
      [[fallthrough]];
    case 0x0F: {
      const std::string target = expression();
      return target + "=" + expression();
    }
    case 0x10:
    case 0x1A: {
      const std::string index = expression();
      return expression() + "[" + index + "]";
    }
    case 0x11: {
      std::string text;
      for (int i = 0; i < 4; ++i) {
        const std::string part = expression();
        if (part.empty()) continue;
        if (!text.empty()) text += ',';
        text += part;
      }
      return "new (" + text + ")";
    }
    case 0x12:
    case 0x19: {
      const std::string context = expression();
      word();
      byte();
      return context + "." + expression();
    }
    case 0x13: {
      const std::string className = package.ObjectNameOf(reference());
      return "Class<" + className + ">(" + expression() + ")";
    }
    case 0x15:
      return depth_ == 1 ? std::string() : expression();
    case 0x16:
      return ")";
    case 0x17:
      return "self";
    case 0x18:
      word();
      return expression();
    case 0x1B: {
      const std::string name = package.GetName(reference());
      return name + "(" + DecodeParameters();
    }
    case 0x1C: {
      const std::string name = package.ObjectNameOf(reference());
      const std::string prefix = EqualsIgnoreCase(name, ObjectName()) ? "Super." : "";
      return prefix + name + "(" + DecodeParameters();
    }
    case 0x1D: {
      memoryOffset_ += 4;
      return std::to_string(in.ReadInt32());
    }
    case 0x1E: {
      memoryOffset_ += 4;
      return FormatFloat(in.ReadFloat());
    }
    case 0x1F: {
      const std::string text = in.ReadZeroText();
      memoryOffset_ += static_cast<std::int64_t>(text.size()) + 1;
      return package.QuoteString(text);
    }
    case 0x20: {
      const std::int32_t object = reference();
      std::string className = package.ClassNameOf(object);
      if (className.empty()) className = "Class";
      return className + "'" + package.GetObjectPath(object) + "'";
    }
    case 0x21:
      return "'" + package.GetName(reference()) + "'";
    case 0x22: {
      memoryOffset_ += 12;
      const std::int32_t pitch = in.ReadInt32(), yaw = in.ReadInt32(), roll = in.ReadInt32();
      return "rot(" + std::to_string(pitch) + "," + std::to_string(yaw) + "," + std::to_string(roll) + ")";
    }
    case 0x23: {
      memoryOffset_ += 12;
      const float x = in.ReadFloat(), y = in.ReadFloat(), z = in.ReadFloat();
      return "vect(" + FormatFloat(x) + "," + FormatFloat(y) + "," + FormatFloat(z) + ")";
    }
    case 0x24:
    case 0x2C:
      return std::to_string(byte());
    case 0x25:
      return "0";
    case 0x26:
      return "1";
    case 0x27:
      return "True";
    case 0x28:
      return "False";
    case 0x2A:
      return "None";
    case 0x2B:
      byte();
      return expression();
    case 0x2E: {
      const std::string className = package.ObjectNameOf(reference());
      return className + "(" + expression() + ")";
    }
    case 0x2F: {
      const std::string iterator = expression();
      word();
      return "foreach " + iterator + " {";
    }
    case 0x30:
      return {};
    case 0x31:
      return "}";
    case 0x32:
    case 0x33: {
      reference();
      const std::string left = expression();
      return left + (token == 0x32 ? "==" : "!=") + expression();
    }
    case 0x34: {
      std::u16string text;
      for (std::uint16_t c = word(); c != 0; c = word()) text += static_cast<char16_t>(c);
      return package.QuoteWideString(platform::Utf16ToWindows1252(text));
    }
    case 0x36: {
      const std::string member = package.ObjectNameOf(reference());
      return expression() + "." + member;
    }
    case 0x38: {
      const std::string name = package.GetName(reference());
      return "Global." + name + "(" + DecodeParameters();
    }
    case 0x39:
    case 0x4D:
      return cast("vector");
    case 0x46:
      return cast("name");
    case 0x47:
    case 0x48:
    case 0x4B:
    case 0x4F:
    case 0x51:
      return cast("bool");
    case 0x49:
      return cast("byte");
    case 0x4A:
      return cast("int");
    case 0x4C:
      return cast("float");
    case 0x4E:
    case 0x50:
      return cast("rotator");
    case 0x03:
    case 0x35:
    case 0x37:
    case 0x5A:
    case 0x5B:
    case 0x5C:
    case 0x5D:
    case 0x5E:
    case 0x5F:
      expression();
      FailUnknownOpCode(token);
    default:
      break;
  }
  if (token == 0x2D || (token >= 0x3A && token <= 0x45)) return expression();
  if (token >= 0x52 && token <= 0x59) return cast("string");
  if (token >= 0x60 && token <= 0x6F) return DecodeNativeCall(static_cast<int>((token - 0x60) * 256 + byte()), precedence);
  return DecodeNativeCall(static_cast<int>(token), precedence);
}

}  // namespace unrealpkg
