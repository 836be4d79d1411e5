// The reading pane's text of a line of Chinese: pinyin or katakana readings from the engine for
// what GB2312 holds, and the character reading file for the ideographs outside it.
#pragma once
#include <cstdio>
#include <string>

namespace orvale {

class CTranslatorApp;

// The record of an ideograph in the character reading file (pinyindic\hanzi.dat): its reading
// text and its length byte. False when the character has no index slot, its offset is 0 or less
// or lies past the file, or the record is cut short.
bool hanziFileReading(std::FILE* file, char32_t codePoint, std::string& reading, int& lengthByte);

// Replaces out with the reading of line in the app's reading mode. With traditional characters
// on, line is first converted in place to simplified.
void readingOfLine(const CTranslatorApp& app, std::u16string& line, std::u16string& out);

}  // namespace orvale
