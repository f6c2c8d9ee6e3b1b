// Units: connecting the file unit, reading lines from units, writing lines to them.
#include "textio/unit.h"

#include "textio/open_flags.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

namespace textio {
namespace {

#ifdef _WIN32
// Windows translates line ends and Ctrl-Z unless a descriptor is in binary mode, files (see
// open_flags.h) and the console alike.
const bool consoleBinary = // each on its own: one of them may be closed
    (_setmode(0, O_BINARY), _setmode(1, O_BINARY), _setmode(2, O_BINARY), true);
#else

// A standard descriptor the program was started without would be given to the next file
// opened, and a diagnostic or console line would then go into that file: each closed one
// gets /dev/null before anything is opened. A closed standard input reads as empty.
bool keepStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF && ::open("/dev/null", O_RDWR) != fd)
            return false;
    return true;
}
const bool standardDescriptorsKept = keepStandardDescriptors();
#endif

using detail::Code;
using detail::LineReader;
using detail::Message;

struct FileUnit {
    int fd = -1;
    bool writing = false;  // lines are being written: reads meet the file's end
    int writeErrno = 0;    // why the file could only be opened for reading
    bool seekable = false; // a skip may count its lines later by reading the file again
    long long linesWritten = 0;
    char name[recordLength + 1] = {};
    char context[201] = {};
};

int consoleInFd = 0;
int consoleOutFd = 1;
LineReader consoleReader; // started on first use
LineReader fileReader;
FileUnit file;

[[noreturn]] void failFile(const char* verb, int error) {
    Message m;
    if (file.name[0] == '\0')
        m.add("cannot ").add(verb).add(" a file with an empty name");
    else
        m.add("cannot ").add(verb).add(" ").add(file.name).add(": ").add(std::strerror(error));
    detail::fail(Code::fileAccess, m);
}

// From reading to writing: the file ends where reading had got to.
void startWriting() {
    const long long at = detail::readerPosition(fileReader);
    if (file.writeErrno != 0) failFile("write", file.writeErrno);
    if (::lseek(file.fd, at, SEEK_SET) < 0 || ::ftruncate(file.fd, at) != 0)
        failFile("write", errno);
    file.writing = true;
    file.linesWritten = detail::lineNumberOf(fileReader);
    detail::resetReader(fileReader, file.fd, at);
}

} // namespace

namespace {

// Connects file unit 1; `create`: also for writing, creating a missing file.
void connect(std::string_view fileName, bool create) {
    closeUnit();
    while (!fileName.empty() && fileName.front() == ' ') fileName.remove_prefix(1);
    while (!fileName.empty() && fileName.back() == ' ') fileName.remove_suffix(1);
    if (fileName.size() > std::size_t(recordLength)) fileName = fileName.substr(0, recordLength);
    if (!fileName.empty()) std::memcpy(file.name, fileName.data(), fileName.size());
    file.name[fileName.size()] = '\0';
    if (fileName.empty() || std::memchr(fileName.data(), '\0', fileName.size()) != nullptr)
        failFile("open", ENOENT);
    int fd = create ? ::open(file.name, O_RDWR | O_CREAT | openFlags, 0666)
                    : ::open(file.name, O_RDONLY | openFlags);
    int writeErrno = create ? 0 : EBADF;
    if (create && fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        writeErrno = errno;
        fd = ::open(file.name, O_RDONLY | openFlags);
        if (fd < 0 && errno == ENOENT) errno = writeErrno;
    }
    if (fd < 0) failFile("open", errno);
    file.fd = fd;
    file.writeErrno = writeErrno;
    file.seekable = ::lseek(fd, 0, SEEK_CUR) >= 0;
    detail::resetReader(fileReader, fd, 0);
}

} // namespace

void openUnit(std::string_view fileName) { connect(fileName, true); }

void openUnitForReading(std::string_view fileName) { connect(fileName, false); }

void rewindUnit() {
    if (file.fd < 0) return;
    if (::lseek(file.fd, 0, SEEK_SET) < 0) failFile("rewind", errno);
    file.writing = false;
    detail::resetReader(fileReader, file.fd, 0);
}

void closeUnit() {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
    file.writing = false;
    file.context[0] = '\0';
    detail::resetReader(fileReader, -1, 0);
}

void setReadContext(std::string_view what) {
    const std::size_t n = what.size() < sizeof file.context ? what.size() : sizeof file.context - 1;
    if (n > 0) std::memcpy(file.context, what.data(), n);
    file.context[n] = '\0';
}

void setConsole(int inFd, int outFd) {
    consoleInFd = inFd;
    consoleOutFd = outFd;
    detail::resetReader(consoleReader, inFd, 0);
}

void resetForHarness() {
    closeUnit();
    file.name[0] = '\0';
    detail::resetReader(consoleReader, consoleInFd, 0);
}

void writeConsoleText(std::string_view text) {
    detail::writeAll(consoleOutFd, text.data(), text.size()); // a failure passes, see textio.h
}

namespace detail {

bool writeAll(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) return false;
        p += k;
        n -= std::size_t(k);
    }
    return true;
}

namespace {

// The reader of an input unit; nullptr when the file unit is being written (nothing
// follows a written line).
LineReader* readerOf(Unit unit) {
    if (unit == Unit::file && file.fd < 0) {
        Message m;
        m.add("read from the file unit while no file is connected");
        fail(Code::badLayout, m);
    }
    if (unit != Unit::file && consoleReader.fd < 0)
        detail::resetReader(consoleReader, consoleInFd, 0);
    if (unit == Unit::file && file.writing) return nullptr;
    return unit == Unit::file ? &fileReader : &consoleReader;
}

[[noreturn]] void failRead(Unit unit) {
    const int error = errno;
    if (unit == Unit::file) failFile("read", error);
    Message m;
    m.add("cannot read console input: ").add(std::strerror(error));
    fail(Code::fileAccess, m);
}

// True for a line, false at the end of the data; a read error ends the run.
bool lineOrEnd(Unit unit, LineResult result) {
    if (result == LineResult::readError) failRead(unit);
    return result == LineResult::line;
}

} // namespace

bool nextRecord(Unit unit, Record& record) {
    LineReader* reader = readerOf(unit);
    if (reader == nullptr) return false;
    return lineOrEnd(unit, nextLine(*reader, record));
}

bool skipToRecord(Unit unit, std::string_view pattern, int columns, Record& record) {
    LineReader* reader = readerOf(unit);
    if (reader == nullptr) return false;
    LineResult result;
    if (unit == Unit::file && file.seekable && skipFits(pattern, columns)) {
        result = skipToLine(*reader, pattern, columns, record);
    } else {
        do result = nextLine(*reader, record);
        while (result == LineResult::line && !holdsWithin(record, pattern, columns));
    }
    return lineOrEnd(unit, result);
}

bool skipToFileRecordAny(const std::string_view* patterns, int count, int columns, Record& record) {
    LineReader* reader = readerOf(Unit::file);
    if (reader == nullptr) return false;
    bool fast = file.seekable;
    for (int i = 0; i < count; ++i) fast = fast && skipFits(patterns[i], columns);
    LineResult result;
    if (fast) {
        result = skipToLineHoldingAny(*reader, patterns, count, columns, record);
    } else {
        for (;;) {
            result = nextLine(*reader, record);
            if (result != LineResult::line) break;
            bool holds = false;
            for (int i = 0; i < count && !holds; ++i)
                holds = holdsWithin(record, patterns[i], columns);
            if (holds) break;
        }
    }
    return lineOrEnd(Unit::file, result);
}

bool currentRecord(Unit unit, Record& record) {
    const LineReader& reader = unit == Unit::file ? fileReader : consoleReader;
    if (unit == Unit::file && (file.fd < 0 || file.writing)) return false;
    if (!reader.hasCurrent) return false;
    record = reader.current;
    return true;
}

void putLine(Unit unit, const char* chars, int length) {
    char line[recordLength + 2];
    std::memcpy(line, chars, std::size_t(length));
    line[length] = '\r';
    line[length + 1] = '\n';
    const std::size_t n = std::size_t(length) + 2;
    if (unit == Unit::file) {
        if (file.fd < 0) {
            Message m;
            m.add("write to the file unit while no file is connected");
            fail(Code::badLayout, m);
        }
        if (!file.writing) startWriting();
        if (!detail::writeAll(file.fd, line, n)) failFile("write", errno);
        ++file.linesWritten;
        return;
    }
    if (!detail::writeAll(consoleOutFd, line, n)) {
        Message m;
        m.add("cannot write console output: ").add(std::strerror(errno));
        fail(Code::fileAccess, m);
    }
}

void addPlace(Unit unit, Message& m) {
    if (unit == Unit::file) {
        m.add(file.name).add(", line ");
        m.add(file.writing ? file.linesWritten : lineNumberOf(fileReader));
    } else {
        m.add("console input, line ").add(lineNumberOf(consoleReader));
    }
}

void failEndOfFile(Unit unit) {
    Message m;
    m.add("end of file ");
    if (unit == Unit::file) {
        m.add("in ").add(file.name).add(" after line ").add(lineNumberOf(fileReader));
        if (file.context[0] != '\0') m.add(" while reading ").add(file.context);
    } else {
        m.add("on console input after line ").add(lineNumberOf(consoleReader));
    }
    fail(Code::endOfFile, m);
}

} // namespace detail

bool readFileLine(std::string_view& line) {
    detail::Record record;
    if (!detail::nextRecord(Unit::file, record)) return false;
    line = {record.chars, std::size_t(record.length)};
    return true;
}

bool skipToFileLineHolding(std::initializer_list<std::string_view> patterns, int columns,
                           std::string_view& line, int& which) {
    const int count = int(patterns.size());
    if (count < 1 || count > skipPatternCapacity || columns < 1 || columns > recordLength) {
        Message m;
        m.add("a search for a line holding one of ").add((long long)count);
        m.add(" patterns within ").add((long long)columns).add(" columns");
        detail::fail(Code::badLayout, m);
    }
    detail::Record record;
    if (!detail::skipToFileRecordAny(patterns.begin(), count, columns, record)) return false;
    which = 0;
    while (which < count - 1 && !detail::holdsWithin(record, patterns.begin()[which], columns))
        ++which;
    line = {record.chars, std::size_t(record.length)};
    return true;
}

long long fileLineNumber() {
    if (file.fd < 0) return 0;
    return file.writing ? file.linesWritten : detail::lineNumberOf(fileReader);
}

long long fileReadOffset() { return file.fd < 0 ? 0 : detail::readerPosition(fileReader); }

void seekFileUnit(long long offset, long long lineNumber) {
    if (file.fd < 0) return;
    if (::lseek(file.fd, off_t(offset), SEEK_SET) < 0) failFile("read", errno);
    file.writing = false;
    detail::resetReader(fileReader, file.fd, offset);
    if (lineNumber > 0)
        fileReader.lineNumber = lineNumber - 1;
    else
        fileReader.lineBase = offset; // counted when a diagnostic needs it
}

} // namespace textio
