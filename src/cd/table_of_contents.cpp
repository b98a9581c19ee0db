#include "table_of_contents.h"

#include <algorithm>

namespace cd {

bool TableOfContents::hasAudio() const
{
    return std::any_of(tracks.begin(), tracks.end(), [](const CdTrack &t) { return t.audio; });
}

long TableOfContents::audioEndFrame() const
{
    const auto last = std::find_if(tracks.rbegin(), tracks.rend(), [](const CdTrack &t) { return t.audio; });
    if (last == tracks.rend())
        return 0;
    return std::max(tracks.front().startFrame, std::min(last->endFrame(), dataEndFrame()));
}

int TableOfContents::trackAt(long frame) const
{
    const auto after = std::upper_bound(tracks.begin(), tracks.end(), frame,
                                        [](long f, const CdTrack &t) { return f < t.startFrame; });
    return static_cast<int>(after - tracks.begin());
}

}  // namespace cd
