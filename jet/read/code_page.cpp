#include "jet/read/code_page.h"

namespace vorelka::jet {
namespace {

struct CodePageName {
  uint16_t code_page;
  const char* iconv_name;
};

// The single-byte code pages Access 97 was sold with, and the OEM ones.
constexpr CodePageName kCodePages[] = {
    {437, "IBM437"},        {850, "IBM850"},        {852, "IBM852"},        {855, "IBM855"},
    {866, "IBM866"},        {874, "WINDOWS-874"},   {932, "SHIFT_JIS"},     {936, "GBK"},
    {949, "CP949"},         {950, "BIG5"},          {1250, "WINDOWS-1250"}, {1251, "WINDOWS-1251"},
    {1252, "WINDOWS-1252"}, {1253, "WINDOWS-1253"}, {1254, "WINDOWS-1254"}, {1255, "WINDOWS-1255"},
    {1256, "WINDOWS-1256"}, {1257, "WINDOWS-1257"}, {1258, "WINDOWS-1258"}, {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {28591, "ISO-8859-1"},  {28595, "ISO-8859-5"},  {65001, "UTF-8"},
};

constexpr const char* kDefaultCharset = "WINDOWS-1252";

}  // namespace

const char* IconvNameOfCodePage(uint16_t code_page) {
  for (const auto& entry : kCodePages) {
    if (entry.code_page == code_page) return entry.iconv_name;
  }
  return kDefaultCharset;
}

}  // namespace vorelka::jet
