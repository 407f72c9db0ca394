# Writes one guide of the release as Notepad needs it (UTF-8 with the
# byte-order mark, CRLF lines), with the version and the SHA-256 of the .scr
# beside it in the ZIP filled in. Run by the build once the .scr is linked:
# the .scr is the same bytes from the same commit, so the guide and the ZIP
# are too.
#   cmake -DSCR=<pok_v3.scr> -DVERSION=<x.yy> -DSOURCE=<guide> -DOUTPUT=<guide> -P release_guide.cmake
cmake_minimum_required(VERSION 3.25)

set(PROJECT_VERSION ${VERSION})
file(SHA256 ${SCR} POK_SCR_SHA256)
# file(READ) drops carriage returns, so the lines come out LF and are all
# made CRLF here, whatever the checkout did to the source.
file(READ ${SOURCE} text)
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byteOrderMark)
file(WRITE ${OUTPUT} "${byteOrderMark}${text}")
