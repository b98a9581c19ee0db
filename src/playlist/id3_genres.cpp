#include "playlist/id3_genres.h"

#include <algorithm>

const std::array<const char *, Id3GenreCount> Id3GenreNames{
    "Blues",          "Classic Rock",     "Country",         "Dance",           "Disco",
    "Funk",           "Grunge",           "Hip-Hop",         "Jazz",            "Metal",
    "New Age",        "Oldies",           "Other",           "Pop",             "R&B",
    "Rap",            "Reggae",           "Rock",            "Techno",          "Industrial",
    "Alternative",    "Ska",              "Death Metal",     "Pranks",          "Soundtrack",
    "Euro-Techno",    "Ambient",          "Trip-Hop",        "Vocal",           "Jazz+Funk",
    "Fusion",         "Trance",           "Classical",       "Instrumental",    "Acid",
    "House",          "Game",             "Sound Clip",      "Gospel",          "Noise",
    "Alt. Rock",      "Bass",             "Soul",            "Punk",            "Space",
    "Meditative",     "Instrumental Pop", "Instrumental Rock", "Ethnic",        "Gothic",
    "Darkwave",       "Techno-Industrial", "Electronic",     "Pop-Folk",        "Eurodance",
    "Dream",          "Southern Rock",    "Comedy",          "Cult",            "Gangsta",
    "Top 40",         "Christian Rap",    "Pop/Funk",        "Jungle",          "Native American",
    "Cabaret",        "New Wave",         "Psychadelic",     "Rave",            "Showtunes",
    "Trailer",        "Lo-Fi",            "Tribal",          "Acid Punk",       "Acid Jazz",
    "Polka",          "Retro",            "Musical",         "Rock&Roll",       "Hard Rock",
    "Folk",           "Folk/Rock",        "National Folk",   "Swing",           "Fast-Fusion",
    "Bobob",          "Latin",            "Revival",         "Celtic",          "Bluegrass",
    "Avantgarde",     "Gothic Rock",      "Progressive Rock", "Psychedelic Rock", "Symphonic Rock",
    "Slow Rock",      "Big Band",         "Chorus",          "Easy Listening",  "Acoustic",
    "Humour",         "Speech",           "Chanson",         "Opera",           "Chamber Music",
    "Sonata",         "Symphony",         "Booty Bass",      "Primus",          "Porn Groove",
    "Satire",         "Slow Jam",         "Club",            "Tango",           "Samba",
    "Folklore",       "Ballad",           "Power Ballad",    "Rhythmic Soul",   "Freestyle",
    "Duet",           "Punk Rock",        "Drum Solo",       "Acapella",        "Euro-House",
    "Dance Hall",
};

QString id3GenreName(int number)
{
    return number >= 0 && number < Id3GenreCount ? QString::fromLatin1(Id3GenreNames[number]) : QString();
}

int id3GenreNumber(const QString &name)
{
    for (int number = Id3GenreCount - 1; number >= 0; --number)
        if (name == QLatin1String(Id3GenreNames[number]))
            return number;
    return 0;
}

QStringList sortedId3GenreNames()
{
    QStringList names;
    for (const char *name : Id3GenreNames)
        names << QString::fromLatin1(name);
    names.sort(Qt::CaseInsensitive);
    return names;
}
