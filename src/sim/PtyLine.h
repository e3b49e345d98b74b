#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace flowcfg {

// The instrument's end of the line: the master side of a pseudo-terminal. The slave side, whose
// path the PC's programs open as a serial port, is also held open here, for two reasons: the
// line then survives the PC side closing and reopening its port, and its settings tell the speed
// the PC side set (a pseudo-terminal has one set of settings, shared by both ends).
class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Opens a new pseudo-terminal in raw mode, 8N1, at `baud`.
    bool open(int baud, std::string& error);
    // Closes both sides, as an unplugged adapter vanishes: the PC side's reads and writes fail.
    void close();
    bool isOpen() const { return master_ >= 0; }
    const std::string& path() const { return path_; }
    int fd() const { return master_; }

    // The speed the PC side set, in baud; 0 when it is not a standard rate.
    int peerBaud() const;
    // Reads what is there without waiting; 0 when nothing, -1 on error.
    long read(std::uint8_t* buffer, std::size_t size);
    // Writes the bytes; a line nobody reads cannot hold back the instrument, so bytes the
    // pseudo-terminal will not take within a short while are dropped. Returns the bytes written.
    std::size_t write(const std::uint8_t* data, std::size_t length);

    static unsigned speedConstant(int baud);  // termios speed_t for a baud rate, 0 if none
    static int baudOf(unsigned speed);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace flowcfg
