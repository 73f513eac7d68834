// The Bematech fiscal-printer models and basic-software versions that step
// 470 seeds into IdentificacaoECF, in the order they are inserted.
#include "schema/steps/steps_445_500_parts.h"

namespace bp::schema::s445 {

const std::vector<PrinterVersion>& KnownPrinterVersions() {
  static const std::vector<PrinterVersion> versions = {
      {2, 2, "ECF-IF MP-20 FI", "2.10"},     {2, 3, "ECF-IF MP-20 FI", "2.12"},
      {1, 1, "Kit ECF-IF FM-20 FI", "2.12"}, {2, 1, "MP-20 FI", "2.0 2"},
      {3, 1, "MP-20 FI DUAL", "VER03.15"},   {4, 1, "MP-20 FI DUAL R", "VER03.21"},
      {5, 2, "MP-20 FI II", "03.05"},        {5, 3, "MP-20 FI II", "03.10"},
      {5, 1, "MP-20 FI II", "VER.03.00"},    {5, 4, "MP-20 FI II", "VER03.15"},
      {5, 5, "MP-20 FI II", "VER03.22"},     {5, 6, "MP-20 FI II", "VER03.25"},
      {5, 7, "MP-20 FI II", "VER03.26"},     {5, 8, "MP-20 FI II", "VER03.31"},
      {5, 9, "MP-20 FI II", "VER03.30"},     {6, 1, "MP-20 FI II R", "03.00"},
      {6, 2, "MP-20 FI II R", "03.10"},      {6, 3, "MP-20 FI II R", "VER03.20"},
      {7, 1, "MP-20 FI R", "1.10"},          {8, 1, "MP-2000 TH FI", "01.00.00"},
      {8, 2, "MP-2000 TH FI", "01.00.01"},   {8, 3, "MP-2000 TH FI", "01.01.01"},
      {8, 4, "MP-2000 TH FI", "01.02.02"},   {8, 5, "MP-2000 TH FI", "01.03.02"},
      {8, 6, "MP-2000 TH FI", "01.03.03"},   {9, 1, "MP-2100 TH FI", "01.00.00"},
      {9, 2, "MP-2100 TH FI", "01.01.00"},   {10, 1, "MP-25 FI", "01.00.00"},
      {10, 2, "MP-25 FI", "01.01.01"},       {10, 3, "MP-25 FI", "01.02.02"},
      {10, 4, "MP-25 FI", "01.03.02"},       {11, 1, "MP-30 FI", "2.12"},
      {19, 1, "MP-3000 TH FI", "01.00.00"},  {19, 2, "MP-3000 TH FI", "01.01.00"},
      {19, 3, "MP-3000 TH FI", "01.01.01"},  {12, 1, "MP-40 FI", "2.12"},
      {12, 2, "MP-40 FI", "2.13"},           {13, 2, "MP-40 FI II", "03.05"},
      {13, 3, "MP-40 FI II", "03.10"},       {13, 1, "MP-40 FI II", "VER.03.00"},
      {13, 4, "MP-40 FI II", "VER03.21"},    {14, 1, "MP-40 FI II R", "03.00"},
      {14, 2, "MP-40 FI II R", "03.10"},     {15, 1, "MP-45 FI", "VER03.21"},
      {16, 2, "MP-50 FI", "01.00.00"},       {16, 1, "MP-50 FI", "2.12"},
      {17, 1, "MP-6000 TH FI", "01.00.00"},  {17, 2, "MP-6000 TH FI", "01.01.01"},
      {17, 3, "MP-6000 TH FI", "01.02.02"},  {17, 4, "MP-6000 TH FI", "01.03.02"},
      {17, 5, "MP-6000 TH FI", "01.03.03"},  {18, 1, "MP-6100 TH FI", "01.01.02"},
      {18, 2, "MP-6100 TH FI", "01.03.02"},  {20, 1, "MP-7000 TH FI", "01.00.01"},
      {21, 1, "MP-4000 TH FI", "0100"},
  };
  return versions;
}

}  // namespace bp::schema::s445
