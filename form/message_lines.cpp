#include "form/message_lines.h"

#include <vector>

namespace tarnwick {
namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\x3000'; }

// Punctuation that closes what comes before it: never the first on a line.
bool IsClosing(wchar_t c) {
    return std::wstring_view(L"。，、；：！？）」』”’》…,.;:!?)]%").find(c) != std::wstring_view::npos;
}

// Punctuation that opens what follows it: never the last on a line.
bool IsOpening(wchar_t c) { return std::wstring_view(L"（「『“‘《([").find(c) != std::wstring_view::npos; }

// Latin letters, digits and the signs of paths and file names (the dot
// and colon of "C:\Games\meteor.exe" too): a run of them is one word.
bool IsWordCharacter(wchar_t c) { return c > L' ' && c < 0x2000; }

// A piece of a paragraph that no line break may split: opening
// punctuation, one Chinese character or one word, closing punctuation.
struct Piece {
    std::size_t begin;
    std::size_t end;
    bool spaceBefore;  // a space stands between it and the piece before
    int width;
};

std::vector<Piece> Pieces(std::wstring_view line, std::span<const int> advances) {
    std::vector<Piece> pieces;
    std::size_t i = 0;
    while (i < line.size()) {
        bool space = false;
        while (i < line.size() && IsSpace(line[i])) ++i, space = true;
        if (i >= line.size()) break;
        const std::size_t begin = i;
        while (i < line.size() && IsOpening(line[i])) ++i;
        if (i < line.size() && IsWordCharacter(line[i])) {
            while (i < line.size() && IsWordCharacter(line[i])) ++i;
        } else if (i < line.size() && !IsSpace(line[i])) {
            ++i;
        }
        while (i < line.size() && IsClosing(line[i])) ++i;
        int width = 0;
        for (std::size_t k = begin; k < i; ++k) width += advances[k];
        pieces.push_back({begin, i, space && !pieces.empty(), width});
    }
    return pieces;
}

int SpaceWidth(std::wstring_view line, std::span<const int> advances, const Piece& piece) {
    int width = 0;
    for (std::size_t k = piece.begin; k > 0 && IsSpace(line[k - 1]); --k) width += advances[k - 1];
    return width;
}

// One paragraph, greedily filled; each inner vector holds the pieces of a line.
std::vector<std::vector<Piece>> Fill(std::wstring_view line, std::span<const int> advances, int maxWidth) {
    std::vector<std::vector<Piece>> lines(1);
    int used = 0;
    for (const Piece& piece : Pieces(line, advances)) {
        const int space = lines.back().empty() || !piece.spaceBefore ? 0 : SpaceWidth(line, advances, piece);
        if (!lines.back().empty() && used + space + piece.width > maxWidth) {
            lines.emplace_back();
            used = 0;
        } else {
            used += space;
        }
        lines.back().push_back(piece);
        used += piece.width;
    }
    return lines;
}

int LineWidth(std::wstring_view line, std::span<const int> advances, const std::vector<Piece>& pieces) {
    int width = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k > 0 && pieces[k].spaceBefore) width += SpaceWidth(line, advances, pieces[k]);
        width += pieces[k].width;
    }
    return width;
}

}  // namespace

std::wstring BreakMessageLines(std::wstring_view text, std::span<const int> advances, int maxWidth) {
    std::wstring out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t stop = text.find(L'\n', start);
        if (stop == std::wstring_view::npos) stop = text.size();
        const std::wstring_view line = text.substr(start, stop - start);
        const std::span<const int> lineAdvances = advances.subspan(start, line.size());
        int whole = 0;
        for (int advance : lineAdvances) whole += advance;
        if (whole <= maxWidth) {
            out += line;
        } else {
            std::vector<std::vector<Piece>> lines = Fill(line, lineAdvances, maxWidth);
            // A last line of one short piece ("的。") takes the piece before
            // it along, where that still fits.
            const Piece& lastPiece = lines.back().front();
            if (lines.size() >= 2 && lines.back().size() == 1 && lastPiece.end - lastPiece.begin <= 2 &&
                lines[lines.size() - 2].size() >= 3) {
                std::vector<Piece>& previous = lines[lines.size() - 2];
                const std::vector<Piece> last{previous.back(), lines.back().front()};
                if (LineWidth(line, lineAdvances, last) <= maxWidth) {
                    previous.pop_back();
                    lines.back() = last;
                }
            }
            // Every character stays, the spaces at a break at the end of its
            // line, and the text's own line ends before and after.
            std::size_t from = 0;
            for (std::size_t n = 0; n + 1 < lines.size(); ++n) {
                const std::size_t next = lines[n + 1].front().begin;
                out += line.substr(from, next - from);
                out += L"\r\n";
                from = next;
            }
            out += line.substr(from);
        }
        if (stop == text.size()) break;
        out += L'\n';
        start = stop + 1;
    }
    return out;
}

}  // namespace tarnwick
