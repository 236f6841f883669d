#include "projectbuild/project_file_pruning.h"

namespace bte::projectbuild {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n'))
    text.remove_suffix(1);
  return text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return upper;
}

// What a line does to the file.
enum class LineRole { kKeep, kRemove, kDefaultTopicLeftOut };

class ProjectFilePruner {
 public:
  ProjectFilePruner(const std::filesystem::path& folder, const LeftOutTopics& leftOut)
      : folder_(folder), leftOut_(leftOut) {}

  LineRole Judge(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') return LineRole::kKeep;
    if (text.front() == '[' && text.find(']') != std::string_view::npos) {
      section_ = Upper(Trim(text.substr(1, text.find(']') - 1)));
      return LineRole::kKeep;
    }
    const size_t equals = text.find('=');
    const std::string key = Upper(Trim(text.substr(0, equals)));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(text.substr(equals + 1));
    if (section_ == "FILES") return LeftOut(text) ? LineRole::kRemove : LineRole::kKeep;
    if (section_ == "ALIAS") return LeftOut(value) ? LineRole::kRemove : LineRole::kKeep;
    // Settings before any section header are read as options.
    if ((section_ == "OPTIONS" || section_.empty()) && key == "DEFAULT TOPIC")
      return Fault(value, "default topic");
    if (section_ == "WINDOWS") return WindowFault(std::string(Trim(text.substr(0, equals))), value);
    return LineRole::kKeep;
  }

  std::string error;

 private:
  bool LeftOut(std::string_view reference) const {
    return leftOut_.Find(reference, folder_) != nullptr;
  }

  LineRole Fault(std::string_view reference, const std::string& what) {
    const std::filesystem::path* topic = leftOut_.Find(reference, folder_);
    if (topic == nullptr) return LineRole::kKeep;
    if (error.empty())
      error = "the " + what + " " + topic->generic_string() + " was left out by this target";
    return LineRole::kDefaultTopicLeftOut;
  }

  // A window names its contents, index, default and home files and its
  // jump targets in quoted, comma-separated fields.
  LineRole WindowFault(const std::string& window, std::string_view fields) {
    for (size_t start = 0; start <= fields.size();) {
      size_t end = fields.find(',', start);
      if (end == std::string_view::npos) end = fields.size();
      std::string_view field = Trim(fields.substr(start, end - start));
      if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
      if (Fault(field, "topic of window " + window) != LineRole::kKeep)
        return LineRole::kDefaultTopicLeftOut;
      start = end + 1;
    }
    return LineRole::kKeep;
  }

  const std::filesystem::path& folder_;
  const LeftOutTopics& leftOut_;
  std::string section_;
};

}  // namespace

PrunedProjectFile PruneProjectFile(std::string_view bytes, const std::filesystem::path& folder,
                                   const LeftOutTopics& leftOut) {
  PrunedProjectFile pruned;
  ProjectFilePruner pruner(folder, leftOut);
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    const std::string_view line = bytes.substr(start, end - start);
    start = end;
    if (pruner.Judge(line) == LineRole::kRemove) {
      pruned.removed.push_back(std::string(Trim(line)));
    } else {
      pruned.bytes += line;
    }
  }
  pruned.error = pruner.error;
  return pruned;
}

}  // namespace bte::projectbuild
