// Writes the fuzz targets' seeds: a few valid inputs each, and the
// reproducers of what fuzzing found, kept small and in text here.
//   fuzz-seeds text DIR           text seeds into DIR/<target>/
//   fuzz-seeds mpeg DIR FILE...   each MPEG file behind decoder settings

#include "core/settings.h"
#include "support/test_authority.h"

#include <openssl/ssl.h>
#include <zip.h>

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void write(const fs::path &path, const std::string &bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// "TAG" and the fields at their widths, blank-padded.
std::string tagRecord(const std::string &title, const std::string &artist, const std::string &album,
                      const std::string &year, const std::string &comment, unsigned char genre)
{
    auto field = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + field(comment, 30) +
           static_cast<char>(genre);
}

// What OpenSSL's own server sends first with a certificate of a throwaway
// authority, in answer to a client of its own.
std::string serverFlight(const ludro::test::TestAuthority::Issued &certificate, int highestVersion)
{
    SSL_CTX *serverContext = SSL_CTX_new(TLS_server_method());
    SSL_CTX_use_certificate_chain_file(serverContext, certificate.certificateFile.c_str());
    SSL_CTX_use_PrivateKey_file(serverContext, certificate.keyFile.c_str(), SSL_FILETYPE_PEM);
    SSL_CTX_set_max_proto_version(serverContext, highestVersion);
    SSL_CTX *clientContext = SSL_CTX_new(TLS_client_method());
    SSL *client = SSL_new(clientContext);
    SSL *server = SSL_new(serverContext);
    BIO *toServer = BIO_new(BIO_s_mem());
    BIO *toClient = BIO_new(BIO_s_mem());
    BIO_up_ref(toServer);
    BIO_up_ref(toClient);
    SSL_set_bio(client, toClient, toServer);
    SSL_set_bio(server, toServer, toClient);
    SSL_set_connect_state(client);
    SSL_set_accept_state(server);
    SSL_do_handshake(client);
    SSL_do_handshake(server);
    std::string flight;
    char buffer[4096];
    for (int n; (n = BIO_read(toClient, buffer, sizeof buffer)) > 0;)
        flight.append(buffer, static_cast<std::size_t>(n));
    SSL_free(client);
    SSL_free(server);
    SSL_CTX_free(clientContext);
    SSL_CTX_free(serverContext);
    return flight;
}

// The first byte: bit 0 the connection ends after the input, bit 1 the
// server is asked for by address.
void tlsSeeds(const fs::path &dir)
{
    char folder[] = "/tmp/fuzz-seeds-XXXXXX";
    if (!mkdtemp(folder))
        return;
    {
        const ludro::test::TestAuthority authority(folder);
        const auto certificate = authority.issue("radio", {.names = {"radio.example", "127.0.0.1"}});
        const std::string tls12 = serverFlight(certificate, TLS1_2_VERSION);
        const std::string tls13 = serverFlight(certificate, TLS1_3_VERSION);
        write(dir / "tls12-waits", std::string("\x00", 1) + tls12);
        write(dir / "tls12-ends-by-address", "\x03" + tls12);
        write(dir / "tls13", std::string("\x00", 1) + tls13);
    }
    fs::remove_all(folder);
    write(dir / "protocol-version-alert", std::string("\x01\x15\x03\x03\x00\x02\x02\x46", 8));
    write(dir / "plain-http-answer", "\x01HTTP/1.0 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
}

// The first byte picks the Content-Type: x-scpls, x-mpegurl, vnd.apple.mpegurl,
// text/plain, none, audio/mpeg, octet-stream, text/html.
void stationListSeeds(const fs::path &dir)
{
    write(dir / "typed.pls", std::string("\x00", 1) +
                                 "[playlist]\r\nNumberOfEntries=2\r\nFile1=http://radio.example:8000/live\r\n"
                                 "Title1=Live\r\nFile2=file:///etc/passwd\r\nFile3=https://two.example/\r\n");
    write(dir / "extended.m3u", "\x03#EXTM3U\n#EXTINF:-1,Radio\nhttps://radio.example/a\n/etc/passwd\n");
    write(dir / "bare.m3u", "\x06\xEF\xBB\xBF\r\n  http://radio.example/b\nwww.radio.example/c\n");
    write(dir / "segments.m3u8", "\x02#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nhttp://cdn.example/s1.ts\n");
    write(dir / "audio", std::string("\x05\xFF\xFB\x90\x64", 5) + std::string(64, 'U'));
}

void playlistSeeds(const fs::path &dir)
{
    // The first byte picks the extension: m3u, m3u8, pls, dmp.
    write(dir / "extended.m3u", std::string("\x00", 1) +
                                    "#EXTM3U\n#EXTINF:123,Artist - Title\nsong one.mp3\n../up/two.mp2\n"
                                    "/music/three.MP3\nhttp://radio.example:8000/live\n\n   \n");
    write(dir / "bom-crlf.m3u8", "\x01\xEF\xBB\xBFm\xC3\xBAsica/canci\xC3\xB3n.mp3\r\nicy://radio.example/a\r\n");
    write(dir / "radio.pls", "\x02[playlist]\r\nFile1=one.mp3\r\nTitle1=One\r\nLength1=-1\r\n"
                             "FILE2=http://radio.example/stream\r\nfile3=  \r\nNumberOfEntries=3\r\nVersion=2\r\n");
    write(dir / "windows.dmp", "\x03"
                               "C:\\Music\\caf\xE9.mp3\r\nD:\\x.mp1\r\n");
}

void settingsSeeds(const fs::path &dir)
{
    Settings settings;
    settings.recent[0] = QStringLiteral("/music/caf\u00e9.mp3");
    platform::ProfileFile every;
    settings.write(every, QStringLiteral("/opt/ludro/"));
    every.writeString(QStringLiteral("Plugins"), QStringLiteral("Count"), QStringLiteral("0"));
    fs::create_directories(dir);
    every.save(QString::fromStdString((dir / "LudroPro.ini").string()));
    write(dir / "odd.ini", "; comment\r\n[ludro]\r\nVolume = 0x50\r\nBalance=abc\r\nEq1=-64\r\n"
                           "SongDir=C:\\Mus\xE9\r\n=novalue\r\n[Ludro]\r\nVolume=1\r\n[\r\nkey=]\r\n");
}

void browserPageSeeds(const fs::path &dir)
{
    write(dir / "page.html", "<CENTER>\r\n<FONT SIZE=5>\r\n<B>\r\nWelcome\r\n</B>\r\n</CENTER>\r\n<HR>\r\n"
                             "<FONT COLOR=7E7EFF>\r\n<FONT FACE=Arial>\r\n<BLOCKQUOTE>\r\nfirst \\\r\nsecond\r\n"
                             "</BLOCKQUOTE>\r\n<A HREF=\"Music.html\">\r\nMusic\r\n<IMG SRC=\"logo.bmp\">\r\n"
                             "<IMG SRC=\"x.bmp\">\r\n<BR>\r\n<I>\r\nend\r\n");
    write(dir / "short-tags.html", "<FONT COLOR=\n<FONT COLOR=ZZ00FF>\n<A HREF\n<IMG SRC=\n<FONT SIZE=0>\n\\\n\n");
}

// A w x h picture as a 24-bit BMP, its pixels in shades of grey.
std::string bitmap(std::uint32_t w, std::uint32_t h)
{
    const std::uint32_t row = (3 * w + 3) / 4 * 4;
    std::string bmp = "BM";
    auto put = [&bmp](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54 + row * h, 4), put(0, 4), put(54, 4);
    put(40, 4), put(w, 4), put(h, 4), put(1, 2), put(24, 2), put(0, 4), put(row * h, 4);
    put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    for (std::uint32_t y = 0; y < h; ++y)
        bmp += std::string(row, static_cast<char>(y * 16));
    return bmp;
}

// Members in the order given, deflated, behind the target's first byte 0.
std::string zipped(const fs::path &scratch, const std::vector<std::pair<std::string, std::string>> &members)
{
    int error = 0;
    zip_t *archive = zip_open(scratch.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto &[name, bytes] : members)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, bytes.data(), bytes.size(), 0), 0);
    zip_close(archive);
    std::ifstream file(scratch, std::ios::binary);
    std::string zip(1, '\0');
    zip.append(std::istreambuf_iterator<char>(file), {});
    fs::remove(scratch);
    return zip;
}

// The first byte: 0 a zipped skin, otherwise one bitmap for every file.
void winampSeeds(const fs::path &dir)
{
    fs::create_directories(dir);
    write(dir / "skin.wsz", zipped(dir / "scratch", {{"CBUTTONS.BMP", bitmap(136, 36)},
                                                     {"Main.bmp", bitmap(275, 116)},
                                                     {"text.bmp", bitmap(155, 18)},
                                                     {"Texture.ini", "[main]\nMain_Width=1\n"}}));
    write(dir / "paths.wsz",
          zipped(dir / "scratch", {{"../cButtons.bmp", bitmap(1, 1)}, {"a/main.bmp", bitmap(2, 2)}}));
    write(dir / "tiny.bmp", "\x01" + bitmap(1, 1));
}

// The first byte: 0 "Texture.ini", 1 "prefs"; 2 added with Cool Bar pictures.
void textureSeeds(const fs::path &dir)
{
    write(dir / "full.ini",
          "\x02[Texture]\r\nName=Seed\r\n; comment\r\n[main]\r\nMain_Width=$12C\r\nMain_Height=0x64\r\n"
          "FileName_Font=Arial\r\nFileName_Bold=0\r\nFileName_Size=9\r\nFileName_Color=clAqua\r\n"
          "ButtonPlay_Left=10\r\nButtonPlay_Width=20\r\nFilePosBitMap_Width=14\r\n"
          "PositionDot_Left=150\r\nMainBG_Color=$00102030\r\nScrollerTime_Length=60\r\n"
          "[Playlist]\r\nList_Font=Verdana\r\nList_FontSize=2147483647\r\n[Equalizer]\r\n"
          "Info_Color=-1\r\n[Cool Bar]\r\nMain_Width=275\r\nCounter_Color=clBtnFace\r\n"
          "[Recorder]\r\nHead_Color=clNone\r\n");
    write(dir / "bad-colour.ini", std::string(1, '\0') + "[main]\nFileName_Color=reddish\nMain_Width=99999999999\n");
    std::string prefs = "\x03Arial\nTrue\n8\n$00FFFFFF\n# comment\n/ comment\n indented\n\n";
    for (int i = 0; i < 130; ++i)
        prefs += std::to_string(i % 7) + "\n";
    prefs += "EXTENDED\n300\n28";
    write(dir / "extended.prefs", prefs);
    write(dir / "short.prefs", "\x01Tahoma\nfalse\n-5\nclRed\n0\nx");
}

void id3Seeds(const fs::path &dir)
{
    write(dir / "record.tag", std::string(200, '\xFF') + tagRecord("Title", "Artist", "Album", "2025", "Comment", 8));
    write(dir / "blank.tag", tagRecord("", "", "", "    ", "", 255));
    write(dir / "latin1.tag", tagRecord("Caf\xE9", "\x01\x02", std::string(30, 'x'), "19", "tail\x1F\x20", 147));
}

void streamSeeds(const fs::path &dir)
{
    const std::string audio(16, '\xFF');
    std::string title = "StreamTitle='Don't stop';StreamUrl='';";
    title.resize(48, '\0');
    write(dir / "icy.txt", "ICY 200 OK\r\nicy-name: Fuzz Radio\r\nicy-metaint: 16\r\ncontent-type: audio/mpeg\r\n\r\n" +
                               audio + '\x03' + title + audio + std::string(1, '\0') + audio);
    write(dir / "latin1.txt",
          "HTTP/1.0 200 OK\nContent-Length: 40\nicy-metaint: 4\n\nabcd\x01StreamTitle='Caf\xE9'xyzw");
    write(dir / "redirect.txt", "HTTP/1.1 302 Found\r\nLocation: /other/stream?x=1\r\n\r\n");
    write(dir / "redirect-host.txt", "HTTP/1.1 301\r\nlocation: //[::1]:8000/a b#frag\r\n\r\n");
}

void responseSeeds(const fs::path &dir)
{
    write(dir / "ok.txt", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 1234\r\n"
                          "WWW-Authenticate: Basic realm=\"x\"\r\n\r\nbody");
    write(dir / "moved.txt", "HTTP/1.0 301 Moved\r\nLocation: http://user@other.example:81/a/b.exe?q=1\r\n\r\n");
    write(dir / "relative.txt", "HTTP/1.1 302\r\nlocation:/relative/doc.htm\r\nLocation: page.htm\r\n\r\n");
}

void discRecordSeeds(const fs::path &dir)
{
    write(dir / "record.txt", "210 rock 0b012a02 CD database entry follows (until terminating `.')\r\n"
                              "# xmcd\r\n#\r\n# Revision: 3\r\nDISCID=0b012a02\r\nDTITLE=Artist / Title\r\n"
                              "DYEAR=1999\r\nTTITLE0=Split\r\nTTITLE0= title\r\nttitle10=Caf\xE9\r\n.\r\n");
    write(dir / "matches.txt", "211 Found inexact matches, list follows (until terminating `.')\n"
                               "rock 0b012a02 Artist / Title\njazz 0b012a03 Only an artist\n.\n");
}

void sitesSeeds(const fs::path &dir)
{
    write(dir / "sites.txt", "210 OK, site information follows (until terminating `.')\r\n"
                             "gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 GnuDB\r\n"
                             "gnudb.gnudb.org cddbp 8880 - N000.00 W000.00 GnuDB\r\n"
                             "10.0.0.7:8080 http 8080 /~cddb/cddb.cgi S033.52 E151.12 Caf\xE9\t\x1b[1m\r\n"
                             "bad/host http 80 /\r\n.\r\n");
    write(dir / "cut-off.txt", "210 OK\nhost.example:99999 http\n");
}

// The first byte picks the sheet: even a .cue, odd a .toc; beside it are
// "image.bin", a named pipe "pipe" and "zero", a link to /dev/zero.
void discImageSeeds(const fs::path &dir)
{
    write(dir / "tracks.cue", std::string("\x00", 1) +
                                  "REM a comment\r\nFILE \"image.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                                  "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 00 00:00:05\r\n"
                                  "    INDEX 01 00:00:10\r\n  TRACK 03 MODE1/2352\r\n    INDEX 01 00:00:15\r\n");
    write(dir / "past-the-end.cue", std::string("\x00", 1) +
                                        "FILE image.bin BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"
                                        " TRACK 02 AUDIO\n  INDEX 01 20:00:00\n");
    write(dir / "tracks.toc", "\x01"
                              "CD_DA\nTRACK AUDIO\nFILE \"image.bin\" 0 00:00:10\n"
                              "TRACK AUDIO\nFILE \"image.bin\" 00:00:10 00:00:05\n");
    write(dir / "pipe.toc", "\x01"
                            "CD_DA\nTRACK AUDIO\nFILE \"image.bin\" 0 00:00:10\nTRACK AUDIO\nDATAFILE \"pipe\"\n");
    // Found: a second track starting before the first (LSN -150).
    write(dir / "backwards.toc", std::string("\x01", 1) + "CD_DA\nTRACK AUDIO\nFILE \"image.bin\" 0 00:00:10\n" +
                                     "TRACK AUDIO\nFILE \"image.bin\"" + std::string(38, '\0') +
                                     " 00%:00:10 00:00:05\n");
    // Found: a track without a mode made libcdio divide by zero.
    write(dir / "modeless.toc", "\x01"
                                "CD_DA\nTRACK\nFILE \"image.bin\" 0 00:00:05\n");
    write(dir / "zero.cue", std::string("\x00", 1) + "FILE \"zero\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n");
}

// Settings bytes as the decoder target reads them, then the audio.
void mpegReproducers(const fs::path &dir)
{
    // A stream opening with an ID3v2 tag that claims 256 MB, fed a byte at a
    // time: every read made the decoder allocate the whole tag.
    std::string hugeTag = std::string("\x20\x00", 2) + "ID3\x03" + std::string(2, '\0') + "\x7F\x7F\x7F\x7F";
    for (int i = 0; i < 50; ++i)
        hugeTag += "\xFF\xFB\x90";
    write(dir / "huge-id3v2-tag", hugeTag);
}

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void languageSeeds(const fs::path &dir)
{
    write(dir / "partial.ini", "[Ludro]\nPop_Exit=&Beenden\nHint_Play=Abspielen\nTranslator_Name=\n");
    write(dir / "spaces.ini", "; comment\r\n[ ludro ]\r\nPrefs_Page2_Line1= leading\r\nPrefs_Page7_Output=Ausgabedatei \r\n"
                              "Unknown_Key=x\r\nPop_Exit=first\r\npop_exit=second\r\n");
    write(dir / "latin1.ini", "[Ludro]\nWords_Volume=Lautst\xe4rke\nHint_Menu=Men\xfc\n");
}

}  // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "text") {
        const fs::path dir = args[1];
        playlistSeeds(dir / "fuzz_playlist_file");
        settingsSeeds(dir / "fuzz_settings_file");
        textureSeeds(dir / "fuzz_texture_description");
        languageSeeds(dir / "fuzz_language_file");
        winampSeeds(dir / "fuzz_winamp_skin");
        id3Seeds(dir / "fuzz_id3_tag");
        streamSeeds(dir / "fuzz_stream_answer");
        tlsSeeds(dir / "fuzz_tls_handshake");
        stationListSeeds(dir / "fuzz_station_list");
        responseSeeds(dir / "fuzz_http_response");
        discRecordSeeds(dir / "fuzz_disc_record");
        sitesSeeds(dir / "fuzz_cddb_sites");
        discImageSeeds(dir / "fuzz_disc_image");
        browserPageSeeds(dir / "fuzz_browser_page");
        mpegReproducers(dir / "fuzz_mpeg_decoder");
        return 0;
    }
    if (args.size() >= 3 && args[0] == "mpeg") {
        // Settings bytes: a file as decoded; fed in pieces; fed with mixed
        // channels, half rate and the equalizer; a file, left channel, equalizer.
        static const std::string settings[] = {std::string("\x00\x00", 2), std::string("\x20\x10", 2), "\x37\x05",
                                               "\x11\x40"};
        for (std::size_t i = 2; i < args.size(); ++i) {
            const std::string audio = readAll(args[i]);
            for (std::size_t s = 0; s < std::size(settings); ++s)
                write(fs::path(args[1]) / "fuzz_mpeg_decoder" /
                          (fs::path(args[i]).filename().string() + "-" + std::to_string(s)),
                      settings[s] + audio);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: fuzz-seeds text DIR | fuzz-seeds mpeg DIR FILE...\n");
    return 2;
}
