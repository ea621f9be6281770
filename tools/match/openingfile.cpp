#include "openingfile.h"

#include "tools/pdn/pdnreader.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/position/quotedtext.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

bool COpeningFile::read(const std::string &path, std::vector<COpening> &openings,
                        std::string &error)
{
    const std::string name = "the openings file " + CQuotedText::quote(path);
    // A folder opens as a file would, and then reads as if it were empty.
    std::error_code ignored;
    errno = std::filesystem::is_directory(path, ignored) ? EISDIR : 0;
    std::ifstream file;
    if (errno == 0)
        file.open(path);
    if (!file.is_open()) {
        error = "cannot read " + name + ": " + std::strerror(errno);
        return false;
    }
    CPdnReader reader(file);
    std::vector<COpening> read;
    for (;;) {
        switch (reader.readGame()) {
        case CPdnReader::GameRead:
            if (reader.position().isGameOver()) {
                error = name + ", game " + std::to_string(read.size() + 1) + ", move "
                    + std::to_string(reader.moveNumber())
                    + ": no game can start from this opening, the rules ended it with "
                    + CPdnWriter::resultToken(reader.position().result());
                return false;
            }
            read.emplace_back(reader.tagValue("FEN"), reader.mainLine());
            break;
        case CPdnReader::NoMoreGames:
            if (read.empty()) {
                error = name + " holds no opening";
                return false;
            }
            openings = std::move(read);
            return true;
        case CPdnReader::BadInput:
            error = name + ", " + reader.error();
            return false;
        }
    }
}
