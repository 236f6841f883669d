#include <algorithm>
#include <string>
#include <vector>

#include "cli/report_page.h"

namespace bte::cli {
namespace {

using projectbuild::FileResult;

struct Bar {
  std::string label;
  uint64_t elements, links, rtfPassages;
  uint64_t Total() const { return elements + links + rtfPassages; }
};

constexpr int kMaxBars = 30;
constexpr int kLabelWidth = 260, kBarWidth = 420, kRowHeight = 22, kTop = 28;

struct Segment {
  uint64_t Bar::*count;
  const char* colour;
  const char* name;
};
constexpr Segment kSegments[] = {{&Bar::elements, "#c0392b", "elements"},
                                 {&Bar::links, "#e6a100", "links"},
                                 {&Bar::rtfPassages, "#7d3c98", "RTF passages"}};

std::string Rect(double x, int y, double width, const char* colour, const std::string& title) {
  char text[160];
  std::snprintf(text, sizeof text, "<rect x=\"%.1f\" y=\"%d\" width=\"%.1f\" height=\"%d\" fill=\"%s\">",
                x, y, width, kRowHeight - 6, colour);
  return std::string(text) + "<title>" + title + "</title></rect>";
}

std::string Legend() {
  std::string legend;
  int x = kLabelWidth;
  for (const Segment& segment : kSegments) {
    legend += "<rect x=\"" + std::to_string(x) + "\" y=\"6\" width=\"12\" height=\"12\" fill=\"" +
              segment.colour + "\"/><text x=\"" + std::to_string(x + 16) + "\" y=\"16\">" +
              segment.name + "</text>";
    x += 110;
  }
  return legend;
}

}  // namespace

std::string RemovalChart(const projectbuild::BuildReport& report) {
  std::vector<Bar> bars;
  for (const FileResult& file : report.files) {
    // An RTF document loses every annotation, but only the excluded
    // passages' content: those are what the chart counts.
    const uint64_t rtfPassages = file.annotationsRemoved > 0 ? file.passagesRemoved.size() : 0;
    const Bar bar{file.relative.generic_string(), file.elementsRemoved, file.linksRemoved.size(),
                  rtfPassages};
    if (bar.Total() > 0) bars.push_back(bar);
  }
  if (bars.empty()) return "<p>Nothing was removed from any file.</p>\n";
  std::stable_sort(bars.begin(), bars.end(),
                   [](const Bar& a, const Bar& b) { return a.Total() > b.Total(); });
  const size_t shown = std::min<size_t>(bars.size(), kMaxBars);
  const double scale = static_cast<double>(kBarWidth) / static_cast<double>(bars.front().Total());
  const int height = kTop + static_cast<int>(shown) * kRowHeight + 4;
  std::string svg = "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(kLabelWidth + kBarWidth + 60) + "\" height=\"" +
                    std::to_string(height) + "\" role=\"img\" aria-label=\"removed per file\">" +
                    Legend();
  for (size_t i = 0; i < shown; ++i) {
    const Bar& bar = bars[i];
    const int y = kTop + static_cast<int>(i) * kRowHeight;
    svg += "<text x=\"" + std::to_string(kLabelWidth - 8) + "\" y=\"" + std::to_string(y + 12) +
           "\" text-anchor=\"end\">" + HtmlEscaped(bar.label) + "</text>";
    double x = kLabelWidth;
    for (const Segment& segment : kSegments) {
      const uint64_t count = bar.*segment.count;
      if (count == 0) continue;
      svg += Rect(x, y, count * scale, segment.colour,
                  std::to_string(count) + " " + segment.name);
      x += count * scale;
    }
    svg += "<text x=\"" + std::to_string(static_cast<int>(x) + 6) + "\" y=\"" +
           std::to_string(y + 12) + "\">" + std::to_string(bar.Total()) + "</text>";
  }
  svg += "</svg>\n";
  if (bars.size() > shown)
    svg += "<p class=\"note\">" + std::to_string(bars.size() - shown) +
           " more files with removals are listed below.</p>\n";
  return svg;
}

}  // namespace bte::cli
