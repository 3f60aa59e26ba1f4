#include "cli.h"

#include <charconv>
#include <exception>
#include <system_error>

#include "output/dib.h"
#include "output/output_error.h"
#include "output/picture_files.h"

namespace ksv::image_tool {

namespace {

std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

bool ParseInt(std::string_view text, int* value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && end == text.data() + text.size();
}

std::string Range(const Parameter& p) { return std::to_string(p.min) + ".." + std::to_string(p.max); }

std::string ParameterNames(const Operation& op) {
  std::string names;
  for (const Parameter& p : op.parameters) {
    if (!names.empty()) names += ',';
    names += p.name;
  }
  return names;
}

OperationCall ParseOperation(const std::string& token, const OperationRegistry& registry) {
  const std::size_t eq = token.find('=');
  const std::string name = token.substr(0, eq);
  const Operation* op = registry.Find(name);
  if (op == nullptr) throw UsageError("unknown operation '" + name + "' (ksv-image --list shows them all)");
  std::vector<std::string> texts;
  if (eq != std::string::npos) {
    const std::string values = token.substr(eq + 1);
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = values.find(',', start);
      texts.push_back(values.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  const std::size_t wanted = op->parameters.size();
  if (texts.size() != wanted) {
    std::string message = "operation '" + name + "' takes ";
    message += wanted == 0 ? std::string("no parameters")
                           : std::to_string(wanted) + (wanted == 1 ? " parameter (" : " parameters (") +
                                 ParameterNames(*op) + ")";
    message += ", got " + std::to_string(texts.size());
    throw UsageError(message);
  }
  OperationCall call;
  call.operation = op;
  for (std::size_t i = 0; i < wanted; ++i) {
    const Parameter& p = op->parameters[i];
    int v = 0;
    if (!ParseInt(texts[i], &v) || v < p.min || v > p.max)
      throw UsageError("parameter '" + p.name + "' of '" + name + "' must be an integer in " + Range(p) +
                       ", got '" + texts[i] + "'");
    call.values.push_back(v);
  }
  return call;
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& args, const OperationRegistry& registry) {
  Invocation inv;
  std::vector<std::string> positional;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options_done && a.size() > 1 && a[0] == '-') {
      if (a == "--") {
        options_done = true;
      } else if (a == "--list") {
        inv.list = true;
      } else if (a == "--help" || a == "-h") {
        inv.help = true;
      } else if (a == "--quality" || a.rfind("--quality=", 0) == 0) {
        std::string value;
        if (a == "--quality") {
          if (i + 1 >= args.size()) throw UsageError("--quality needs a value");
          value = args[++i];
        } else {
          value = a.substr(10);
        }
        if (!ParseInt(value, &inv.quality) || inv.quality < 1 || inv.quality > 100)
          throw UsageError("--quality must be an integer in 1..100, got '" + value + "'");
      } else {
        throw UsageError("unknown option '" + a + "'");
      }
      continue;
    }
    positional.push_back(a);
  }
  if (inv.list || inv.help) {
    if (!positional.empty())
      throw UsageError(std::string(inv.list ? "--list" : "--help") + " takes no other arguments");
    return inv;
  }
  if (positional.size() < 2) throw UsageError("an input and an output file are needed");
  inv.input = Utf8Path(positional[positional.size() - 2]);
  inv.output = Utf8Path(positional.back());
  for (std::size_t i = 0; i + 2 < positional.size(); ++i)
    inv.operations.push_back(ParseOperation(positional[i], registry));
  if (!FormatFromExtension(inv.output))
    throw UsageError("the output '" + positional.back() + "' must end in .bmp, .jpg, .gif or .tif");
  return inv;
}

void PrintOperations(const OperationRegistry& registry, std::ostream& out) {
  for (const Operation& op : registry.All()) {
    out << op.name;
    if (!op.parameters.empty()) {
      out << '=' << ParameterNames(op) << "  ";
      for (std::size_t i = 0; i < op.parameters.size(); ++i) {
        if (i > 0) out << ", ";
        out << op.parameters[i].name << ' ' << Range(op.parameters[i]);
      }
    }
    out << '\n';
  }
}

void PrintUsage(std::ostream& out) {
  out << "usage: ksv-image [--quality N] [OPERATION[=A[,B,C]] ...] INPUT OUTPUT\n"
         "       ksv-image --list\n"
         "Reads a BMP, JPEG, GIF or TIFF picture, runs the operations in the given order\n"
         "and writes OUTPUT in the format of its extension (.bmp .jpg .gif .tif).\n"
         "--quality N is the JPEG quality, 1..100 (80 when not given).\n";
}

int RunImageTool(const std::vector<std::string>& args, const OperationRegistry& registry, std::ostream& out,
                 std::ostream& err) {
  Invocation inv;
  try {
    inv = ParseArguments(args, registry);
  } catch (const UsageError& e) {
    err << "ksv-image: " << e.what() << '\n';
    PrintUsage(err);
    return kExitFailure;
  }
  if (inv.help) {
    PrintUsage(out);
    return kExitOk;
  }
  if (inv.list) {
    PrintOperations(registry, out);
    return kExitOk;
  }

  Dib picture;
  try {
    picture = LoadPictureFile(inv.input);
  } catch (const std::exception& e) {
    err << "ksv-image: cannot read '" << PathToText(inv.input) << "': " << e.what() << '\n';
    return kExitFailure;
  }

  // The writers replace the output only with a complete file, so a failure
  // leaves an existing output as it was and nothing to clean up.
  const PictureFormat format = *FormatFromExtension(inv.output);
  try {
    if (inv.operations.empty()) {
      // Untouched pictures keep their depth, so palette pictures reach the
      // GIF and TIFF writers with their own palette.
      SaveBitmap(picture.View(), format, inv.output, inv.quality);
    } else {
      Raster raster = ToRaster(picture.View());
      picture = Dib();
      for (const OperationCall& call : inv.operations) call.operation->apply(raster, call.values);
      SaveBitmap(ViewOf(raster), format, inv.output, inv.quality);
    }
  } catch (const std::exception& e) {
    err << "ksv-image: cannot write '" << PathToText(inv.output) << "': " << e.what() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace ksv::image_tool
