// The rendered document checked against the GenApi 1.0 schema with xmllint: the applet's
// document is valid, and records the format allows but the applet's own data never makes
// give exactly the findings explained in docs/genicam-schema-findings.md.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>

#include "DescriptionTestSupport.h"
#include "description/ParameterInfoBuilderXML.h"

namespace brenvik::description::test {
namespace {

// The repository's copy of the schema first, then the shared one beside the repository.
std::string schemaPath() {
  for (const char* candidate :
       {BRENVIK_SOURCE_DIR "/tests/description/data/GenApiSchema_Version_1_0.xsd",
        BRENVIK_SOURCE_DIR "/../shared/genicam/GenApiSchema_Version_1_0.xsd"}) {
    if (std::filesystem::exists(candidate)) return candidate;
  }
  return {};
}

struct Lint {
  int status = -1;
  std::vector<std::string> lines;
};

Lint runXmllint(const std::string& arguments) {
  Lint lint;
  const std::string command = std::string(BRENVIK_XMLLINT) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return lint;
  std::string output;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  lint.status = pclose(pipe);
  for (std::size_t start = 0; start < output.size();) {
    const auto end = output.find('\n', start);
    lint.lines.push_back(output.substr(start, end - start));
    start = end == std::string::npos ? output.size() : end + 1;
  }
  return lint;
}

// A document in a file of its own, removed afterwards.
class DocumentFile {
 public:
  explicit DocumentFile(const std::string& text) {
    std::random_device random;
    path_ = (std::filesystem::temp_directory_path() /
             ("brenvik-description-" + std::to_string(random()) + ".xml"))
                .string();
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~DocumentFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Schema findings, one line each, without the file name and line, the schema's namespace,
// libxml2's follow-up warnings after a failed pattern, and the list of elements that would
// have been accepted (only its last, the one that is missing, is kept).
std::set<std::string> findings(const Lint& lint, const std::string& file) {
  static const std::regex kLocation("^[^:]*:[0-9]+: ");
  static const std::regex kExpected("Expected is one of \\(.*, ([A-Za-z]+) \\)\\.");
  std::set<std::string> found;
  for (const std::string& line : lint.lines) {
    if (line.empty() || line == file + " fails to validate" || line == file + " validates" ||
        line.find("No precomputed value available") != std::string::npos) {
      continue;
    }
    std::string message =
        std::regex_replace(line, kLocation, "", std::regex_constants::format_first_only);
    for (const std::string noise :
         {"Schemas validity error : ", "{http://www.genicam.org/GenApi/Version_1_0}"}) {
      for (auto at = message.find(noise); at != std::string::npos; at = message.find(noise)) {
        message.erase(at, noise.size());
      }
    }
    found.insert(std::regex_replace(message, kExpected, "Missing $1."));
  }
  return found;
}

std::string appletDocument() {
  SimulatedRuntime runtime(smallDesign());
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  // With direct access on, so that copied runtime categories are checked too.
  buildPortDescription({tree,
                        nodes,
                        true,
                        runtime.hap(),
                        runtime.tree(),
                        {{"DTOLQA_Device1_Process0_Block_Count",
                          2000000 + runtime.id("Device1_Process0_Block_Count")},
                         {"DTOLQA_Device1_Process0_Text_Name",
                          2000000 + runtime.id("Device1_Process0_Text_Name")}}});
  return ParameterInfoBuilderXML(tree, "Brenvik", 0).build();
}

// Records the format can carry but the applet's own rows never make: a copied name outside
// the schema's name pattern, an enumeration without named entries, a record with id 0.
std::string unusualDocument() {
  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Unusual");
  tree.createDouble(root, {"Dotted", "Device1.Gain", 7, 1, 1, "", 12, 0}, 0, 1, 0);
  tree.createEnumeration(root, {"Nothing named", "EMPTY_CHOICE", 7, 1, 1, "", 13, 0}, 2);
  tree.createString(root, {"Zero id", "ZERO_ID", 7, 1, 1, "", 0, 0}, "");
  tree.createInteger(root, {"No access", "NO_ACCESS", 0, 1, 1, "", 11, 0}, 0, 1, 1);
  return ParameterInfoBuilderXML(tree, "Brenvik", 0).build();
}

Lint validate(const DocumentFile& document) {
  const std::string schema = schemaPath();
  EXPECT_FALSE(schema.empty()) << "GenApiSchema_Version_1_0.xsd not found";
  return runXmllint("--noout --schema '" + schema + "' '" + document.path() + "'");
}

TEST(GenApiSchema, TheAppletsDocumentIsWellFormedAndValid) {
  const DocumentFile document(appletDocument());
  const Lint wellFormed = runXmllint("--noout '" + document.path() + "'");
  EXPECT_EQ(wellFormed.status, 0);
  const Lint lint = validate(document);
  EXPECT_EQ(findings(lint, document.path()), std::set<std::string>{});
  EXPECT_EQ(lint.status, 0);
  EXPECT_EQ(lint.lines.front(), document.path() + " validates");
}

// The deviations the format allows, each explained in docs/genicam-schema-findings.md.
TEST(GenApiSchema, UnusualRecordsGiveExactlyTheKnownFindings) {
  const DocumentFile document(unusualDocument());
  const Lint lint = validate(document);
  const std::string pattern = "is not accepted by the pattern '[A-Za-z][0-9A-Za-z_]*'.";
  std::set<std::string> known{
      "element FloatReg: Element 'FloatReg', attribute 'Name': [facet 'pattern'] The value "
      "'Device1.Gain_Reg' " +
          pattern,
      "element Float: Element 'Float', attribute 'Name': [facet 'pattern'] The value "
      "'Device1.Gain' " +
          pattern,
      "element pValue: Element 'pValue': [facet 'pattern'] The value 'Device1.Gain_Reg' " + pattern,
      "Element 'pFeature': No match found for key-sequence ['Device1Gain'] of keyref "
      "'pFeature'.",
      "element pValue: Element 'pValue': This element is not expected. Missing EnumEntry.",
      "element Length: Element 'Length': This element is not expected. Missing Address.",
  };
  for (const char* key :
       {"FeatureKey", "RegisterKey", "SelectedKey", "IntegerOrFloatKey", "FloatKey"}) {
    for (const char* element : {"FloatReg", "Float"}) {
      if (std::string(key) == "RegisterKey" && std::string(element) == "Float") continue;
      known.insert(std::string("element ") + element + ": Element '" + element +
                   "': Not all fields of key identity-constraint '" + key +
                   "' evaluate to a node.");
    }
  }
  EXPECT_EQ(findings(lint, document.path()), known);
  EXPECT_NE(lint.status, 0);
}

}  // namespace
}  // namespace brenvik::description::test
