// A query that cannot mean what was typed says so: misspelt names are named
// with the nearest known ones, SQL words get the language's own way, and
// refusals name the fault.
#include <gtest/gtest.h>

#include <string>

#include "engine/query_driver.h"
#include "engine_fixtures.h"

namespace orvalis::test {
namespace {

struct DiagnosticCase {
  const char* where;  // the WHERE part (or, with select set, the SELECT list)
  bool refused;
  const char* expected;  // the refusal message, or the notices joined by " | "
  bool select = false;
};

class QueryDiagnostics : public ::testing::TestWithParam<DiagnosticCase> {};

TEST_P(QueryDiagnostics, SayWhatTheQueryCannotMean) {
  const DiagnosticCase& c = GetParam();
  ScratchFolder folder;
  RecordingHost host;
  tQueryDriver driver(host);
  const std::string query =
      c.select ? std::string("SELECT ") + c.where + " FROM " + folder.Path() + "*.jpg"
               : "SELECT Name FROM " + folder.Path() + "*.jpg WHERE " + c.where;
  const tRunOutcome outcome = driver.actExecQueryExecute(query, {});
  EXPECT_EQ(outcome, c.refused ? tRunOutcome::Refused : tRunOutcome::Completed);
  std::string said;
  for (const std::string& text : c.refused ? host.messages : host.notices) {
    said += (said.empty() ? "" : " | ") + text;
  }
  EXPECT_EQ(said, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryDiagnostics,
    ::testing::Values(
        DiagnosticCase{
            "ISOSpeedRatings > 100", false,
            "Unbekannter Feldname: ISOSpeedRatings; gemeint ist vielleicht ISOSpeedRating"},
        DiagnosticCase{"Lens_Model ~ 'EF'", false,
                       "Unbekannter Feldname: Lens_Model; gemeint ist vielleicht LensModel"},
        DiagnosticCase{"Orientaton# == 6 or ORIENTATON# == 1", false,
                       "Unbekannter Feldname: Orientaton#; gemeint ist vielleicht Orientation#"},
        DiagnosticCase{"Qwertzuiop == 1", false, "Unbekannter Feldname: Qwertzuiop"},
        DiagnosticCase{"Make ~ 'Canon' and Orientation# == 6 and rownum < 3", false, ""},
        DiagnosticCase{"lowr(Make) ~ 'canon'", true,
                       "Kann WHERE-Teil nicht analysieren: Unbekannte Funktion: lowr; gemeint ist "
                       "vielleicht lower"},
        DiagnosticCase{"Make 'Canon'", true,
                       "Kann WHERE-Teil nicht analysieren: Zwischen zwei Operanden fehlt ein "
                       "Operator (vor „'Canon'“)."},
        DiagnosticCase{"Make ~ 'Canon", true,
                       "Kann WHERE-Teil nicht analysieren: Die Zeichenkette ab Spalte 8 wird nicht "
                       "geschlossen."},
        DiagnosticCase{"Make IS NOT NULL", true,
                       "Kann WHERE-Teil nicht analysieren: IS NULL und IS NOT NULL gibt es hier "
                       "nicht: ein fehlendes Feld ist leer, also isnull(Feld, '') == '' (fehlt) "
                       "oder isnull(Feld, '') != '' (vorhanden); hassegment('exif') fragt nach "
                       "einem Teil der Datei."},
        DiagnosticCase{"Make LIKE '%Canon%'", true,
                       "Kann WHERE-Teil nicht analysieren: LIKE gibt es hier nicht: Feld ~ 'Text' "
                       "sucht einen Teiltext, match(Feld, 'Muster') einen regulären Ausdruck."},
        DiagnosticCase{"Make ~ 'Canon' LIMIT 10", true,
                       "Kann WHERE-Teil nicht analysieren: LIMIT gibt es hier nicht: SELECT TOP n "
                       "... liefert die ersten n Treffer."},
        DiagnosticCase{"Make IN ('Canon', 'Nikon')", true,
                       "Kann WHERE-Teil nicht analysieren: IN (...) gibt es hier nicht: Feld == "
                       "'a' or Feld == 'b'."},
        DiagnosticCase{"FNumber BETWEEN 2 AND 4", true,
                       "Kann WHERE-Teil nicht analysieren: BETWEEN gibt es hier nicht: Feld >= a "
                       "and Feld <= b."},
        DiagnosticCase{"Make ~ 'Canon' ORDER BY Name", true,
                       "Kann WHERE-Teil nicht analysieren: ORDER BY gibt es hier nicht: im "
                       "Fenster sortiert ein Klick auf einen Spaltenkopf, auf der Befehlszeile "
                       "die Option --sort N[:desc]."},
        DiagnosticCase{"Make = 'Canon'", true,
                       "Kann WHERE-Teil nicht analysieren: Invalid symbol: = (Gleichheit wird mit "
                       "== geprüft, Ungleichheit mit !=.)"},
        DiagnosticCase{"Name, Make IS NULL", true,
                       "Kann SELECT-Teil nicht analysieren: IS NULL und IS NOT NULL gibt es hier "
                       "nicht: ein fehlendes Feld ist leer, also isnull(Feld, '') == '' (fehlt) "
                       "oder isnull(Feld, '') != '' (vorhanden); hassegment('exif') fragt nach "
                       "einem Teil der Datei.",
                       true}));

}  // namespace
}  // namespace orvalis::test
