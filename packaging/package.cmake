# cpack -G DEB: a Debian package of what cmake --install puts under /usr,
# its library dependencies found by dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME ludro-pro)
set(CPACK_PACKAGE_VENDOR "Ludro Pro")
# The package's Maintainer field.
set(CPACK_PACKAGE_CONTACT "Ludro Pro developers <developers@ludro.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "skinned player for MPEG audio, internet radio and audio CDs")
set(CPACK_PACKAGE_DESCRIPTION "Ludro Pro plays .mp1, .mp2 and .mp3 files, playlists, internet radio and audio
CDs, with ID3 tags, a 10-band equalizer, pitch, CD recording, conversion to
WAV or MP3, textures, Winamp skins and translated texts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Programs the player starts: the MP3 encoder, and the desktop's tools for
# registering the file types; the system's certificate authorities for https.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "lame, xdg-utils, shared-mime-info, ca-certificates")
include(CPack)
