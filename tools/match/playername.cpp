#include "playername.h"

#include <algorithm>

std::string CPlayerName::searchTag(const std::string &skill, int depth)
{
    const std::string depthText = "depth " + std::to_string(depth);
    return skill == std::to_string(depth) ? depthText : skill + " (" + depthText + ')';
}

std::string CPlayerName::engineTag(const std::string &name, const std::string &version, int depth)
{
    return name + " (" + (version.empty() ? "" : "version " + version + ", ") + "depth "
        + std::to_string(depth) + ')';
}

std::string CPlayerName::engineLabel(const std::string &name, int depth)
{
    std::string label = std::to_string(depth) + '@' + name;
    std::replace(label.begin(), label.end(), ' ', '_');
    std::replace(label.begin(), label.end(), '\t', '_');
    return label;
}

bool CPlayerName::labelOfTag(const std::string &tag, int depth, std::string &label)
{
    const std::string end = "depth " + std::to_string(depth) + ')';
    const std::string::size_type open = tag.rfind(" (");
    if (open == std::string::npos || tag.size() < end.size()
        || tag.compare(tag.size() - end.size(), end.size(), end) != 0)
        return false;
    label = engineLabel(tag.substr(0, open), depth);
    return true;
}
