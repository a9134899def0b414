// Generators of the benchmark inputs. A skin group mixes what real skin and strings files hold: file
// names, control layouts, captions with references and non-ASCII letters, a comment, a CDATA section and
// an empty element. Only XML's predefined and numeric references are used, so every peer accepts them.
#include "bench/BenchInputs.h"

#include "xml/WideString.h"

namespace {

constexpr int64_t kElementsPerGroup = 9;

std::string SkinGroup(int n) {
    const std::string id = std::to_string(n);
    return "  <GROUP_" + id + " kind=\"warn\" version=\"2\">\n" + "    <!-- warning dialog " + id + " -->\n" +
           "    <MAIN_NORMAL>Warn\\normal_" + id + ".bmp</MAIN_NORMAL>\n" + "    <MAIN_OVER>Warn\\over_" +
           id + ".bmp</MAIN_OVER>\n" +
           "    <BUTTON_OK>BUTTON_OK,120,240,80,24,Confirm &amp; continue,FALSE</BUTTON_OK>\n" +
           "    <BUTTON_CANCEL tip='yes'>BUTTON_CANCEL,210,240,80,24,Cancel,TRUE</BUTTON_CANCEL>\n" +
           "    <TEXT_TITLE>Gr\xC3\xB6\xC3\x9F"
           "e &lt;" +
           id + "&gt; &#169; &#x20AC; \xE8\xAE\xBE\xE7\xBD\xAE</TEXT_TITLE>\n" + "    <DEBUG>0</DEBUG>\n" +
           "    <SCRIPT><![CDATA[if (a < b && c > d) { run(" + id + "); }]]></SCRIPT>\n" + "    <SPACER/>\n" +
           "  </GROUP_" + id + ">\n";
}

std::string Utf16LeWithMark(const std::string& utf8) {
    const WString units = FromUtf8(utf8);
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * units.size());
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    text.reserve(piece.size() * count);
    for (int k = 0; k < count; ++k) {
        text += piece;
    }
    return text;
}

}  // namespace

BenchInput MakeSkinInput(const std::string& name, size_t targetBytes, BenchEncoding encoding) {
    const bool wide = encoding == BenchEncoding::kUtf16Le;
    // UTF-16 doubles nearly every byte, so the UTF-8 text is half as long for the same file size.
    const size_t utf8Target = wide ? targetBytes / 2 : targetBytes;
    std::string text = std::string("<?xml version=\"1.0\" encoding=\"") + (wide ? "UTF-16" : "UTF-8") +
                       "\"?>\n<!-- Dashwell benchmark skin -->\n<SKIN>\n";
    const std::string closing = "</SKIN>\n";
    BenchInput input{name, std::string(), 1};
    for (int n = 0; text.size() + closing.size() < utf8Target; ++n) {
        text += SkinGroup(n);
        input.elements += kElementsPerGroup;
    }
    text += closing;
    input.bytes = wide ? Utf16LeWithMark(text) : text;
    return input;
}

BenchInput MakeUnclosedNesting(const std::string& name, int count) {
    return BenchInput{name, Repeat("<a>", count), count};
}

BenchInput MakeStrayEndTags(const std::string& name, int count) {
    return BenchInput{name, Repeat("<a>", count) + Repeat("</b>", count), count};
}
