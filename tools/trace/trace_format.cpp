// t=<ticks> phase=.. score=.. level=.. chain=.. queue=a,b,c piece=c,h drop=.. interval=..
// info=.. keys=LRD weights=w1,..,w6 tilts=t1,..,t6 board=<row 2>/../<row 16>
#include "tools/trace/trace_format.h"

#include <cstring>

namespace {

class LineWriter {
  public:
    explicit LineWriter(char* out) : out_(out) {}

    void Text(const char* text) {
        const std::size_t n = std::strlen(text);
        std::memcpy(out_ + length_, text, n);
        length_ += n;
    }
    void Char(char c) { out_[length_++] = c; }
    void Unsigned(uint32_t value) {
        char digits[10];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (n > 0) {
            out_[length_++] = digits[--n];
        }
    }
    void Signed(int value) {
        if (value < 0) {
            Char('-');
            Unsigned(static_cast<uint32_t>(-value));
        } else {
            Unsigned(static_cast<uint32_t>(value));
        }
    }
    std::size_t Length() const { return length_; }

  private:
    char* out_;
    std::size_t length_ = 0;
};

}  // namespace

std::size_t FormatStateLine(const GameState& s, uint32_t ticks, char* out) {
    static const char hexDigits[] = "0123456789abcdef";
    LineWriter w(out);
    w.Text("t=");
    w.Unsigned(ticks);
    w.Text(" phase=");
    w.Unsigned(s.phase);
    w.Text(" score=");
    w.Unsigned(s.score);
    w.Text(" level=");
    w.Unsigned(s.level);
    w.Text(" chain=");
    w.Unsigned(s.chainCount);
    w.Text(" queue=");
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            w.Char(',');
        }
        w.Unsigned(s.pieceQueue[i]);
    }
    w.Text(" piece=");
    w.Unsigned(s.pieceColumn);
    w.Char(',');
    w.Unsigned(s.pieceHalfRow);
    w.Text(" drop=");
    w.Unsigned(s.dropCountdown);
    w.Text(" interval=");
    w.Unsigned(s.settings.dropInterval);
    w.Text(" info=");
    w.Unsigned(s.settings.infoMode);
    w.Text(" keys=");
    w.Unsigned(s.keyLeft);
    w.Unsigned(s.keyRight);
    w.Unsigned(s.keyDown);
    w.Text(" weights=");
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        if (c > FirstFieldColumn) {
            w.Char(',');
        }
        w.Unsigned(s.columnWeight[c]);
    }
    w.Text(" tilts=");
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        if (c > FirstFieldColumn) {
            w.Char(',');
        }
        w.Signed(s.columnTilt[c]);
    }
    w.Text(" board=");
    for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
        if (r > FirstFieldRow) {
            w.Char('/');
        }
        for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
            // Field cells hold 0..14, one hexadecimal digit each.
            w.Char(hexDigits[s.board[CellIndex(c, r)] & 15]);
        }
    }
    w.Char('\n');
    return w.Length();
}
