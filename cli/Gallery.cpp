#include "Gallery.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Options.h"
#include "StyleLookup.h"

namespace glyphward_cli {
namespace {

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string StyleName(int style) {
  std::string_view name = MirelGlyphward::FindStyle(style)->className;
  name.remove_suffix(std::string_view("TextGenerator").size());
  return std::string(name);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  file.close();
  if (!file) throw UsageError{"cannot write " + path.string()};
}

constexpr const char* kPageHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Glyphward styles</title>
<style>
body { font-family: sans-serif; margin: 1em; background: #f4f4f4; }
.grid { display: grid; grid-template-columns: repeat(auto-fill, minmax(280px, 1fr)); gap: 12px; }
figure { margin: 0; padding: 8px; background: #fff; border: 1px solid #ccc; }
figure img { display: block; max-width: 100%; margin-bottom: 4px;
  background: repeating-conic-gradient(#ddd 0 25%, #fff 0 50%) 0 0 / 16px 16px; }
figcaption { font-size: 0.9em; }
</style>
</head>
<body>
)";

}  // namespace

void WriteGallery(CaptchaClient& client, const GallerySettings& settings) {
  const std::filesystem::path folder(settings.folder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw UsageError{"cannot make " + settings.folder + ": " + error.message()};

  if (settings.width) client.SetLong(&ICaptcha::put_ImageWidth, *settings.width);
  if (settings.height) client.SetLong(&ICaptcha::put_ImageHeight, *settings.height);
  std::string code = settings.code;
  if (code.empty()) {
    client.SetSeed(settings.seed);
    client.SetLong(&ICaptcha::put_TextStyle, 31);
    client.Picture("");
    code = client.Value();
  }

  std::ostringstream cells;
  for (int style = 0; style < MirelGlyphward::kStyleCount; ++style) {
    const std::string name = StyleName(style);
    client.SetLong(&ICaptcha::put_TextStyle, style);
    const std::string stem = std::to_string(style) + "-" + name;
    for (const char* format : {"png", "jpg"}) {
      client.SetFormat(format[0] == 'p' ? "PNG" : "JPEG");
      client.SetSeed(settings.seed);
      const std::vector<unsigned char> bytes = client.Picture(code);
      WriteFile(folder / (stem + "." + format), std::string(bytes.begin(), bytes.end()));
    }
    cells << "<figure><img src=\"" << stem << ".png\" alt=\"style " << style << " (PNG)\">"
          << "<img src=\"" << stem << ".jpg\" alt=\"style " << style << " (JPEG)\">"
          << "<figcaption>" << style << " " << name << "</figcaption></figure>\n";
  }

  std::ostringstream page;
  page << kPageHead << "<h1>Glyphward styles</h1>\n<p>Code <code>" << EscapeHtml(code)
       << "</code>, seed " << settings.seed << "; each style shown as PNG, then JPEG.</p>\n"
       << "<div class=\"grid\">\n"
       << cells.str() << "</div>\n";
  page << "</body>\n</html>\n";
  WriteFile(folder / "index.html", page.str());
}

}  // namespace glyphward_cli
