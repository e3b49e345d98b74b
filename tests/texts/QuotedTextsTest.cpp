// Texts that stored files, dialogs and users rely on word for word, in each language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

constexpr int FR = LanguageTable::French, EN = LanguageTable::English,
              PT = LanguageTable::Portuguese, DE = LanguageTable::German,
              ES = LanguageTable::Spanish;

struct Quoted {
    int id;
    int language;
    const char* text;
};

void expectTexts(const std::vector<Quoted>& quoted) {
    LanguageTable table;
    for (const auto& q : quoted)
        EXPECT_EQ(table.text(q.id, q.language), q.text)
            << "id " << q.id << " language " << q.language;
}

TEST(QuotedTextsTest, TheSameExampleInEveryLanguage) {
    expectTexts({{6, FR, "1er écran"},
                 {6, EN, "1st screen"},
                 {6, PT, "1a tela"},
                 {6, DE, "1st Anzeige"},
                 {6, ES, "1era pantalla"},
                 {360, FR, "&Fichier"},
                 {360, EN, "&File"},
                 {360, PT, "&Arquivo"},
                 {360, DE, "&Datei"},
                 {360, ES, "&Fichero"},
                 {1, FR, "0 Hz"},
                 {15, FR, "Acquitement"}});
}

TEST(QuotedTextsTest, MessagesInFrenchEnglishAndGerman) {
    expectTexts({
        {205, FR, "Impossible d'ouvrir le fichier destination !"},
        {205, EN, "Can not open destination file !"},
        {205, DE, "Kann Datei nicht öffnen !"},
        {208, FR, "Fichier source identique au fichier destination !"},
        {208, EN, "Same Source file as select file !"},
        {208, DE, "Gleiche Quelle wie gewählte Datei !"},
        {209, FR, "La sauvegarde a échoué, retour au fichier par défaut !"},
        {209, EN, "Save As failed, use default file !"},
        {209, DE, "Speichern unter Fehler, gebrauche standard Datei !"},
        {212, FR, "Erreur"},
        {212, EN, "Error"},
        {212, DE, "Fehler"},
        {23, FR, "Aucun enregistrement apres la date demandé !"},
        {23, EN, "No record after the date !"},
        {23, DE, "Keine Aufzeichnung nach diesem Datum !"},
        {347, FR, "&A propos..."},
        {347, EN, "&About..."},
        {347, DE, "& Über..."},
        {213, FR,
         "Version du firmware n'est pas compatible avec la version de ce logiciel.\n"
         "Veuillez utiliser le logiciel version"},
        {207, FR, "Le fichier existe déjà, voulez vous le remplacer ?"},
        {469, FR, "Attention voulez vous sauvegarder la configuration ?"},
        {22, FR, "Attention"},
        {302, FR, "Imprimé le "},
        {497, FR, "A propos..."},
    });
}

TEST(QuotedTextsTest, EnglishKeepsItsSpellingBlanksAndLineBreaks) {
    expectTexts({
        {363, EN, "&Initalization"},
        {270, EN, "Heigth 17"},
        {273, EN, "Heigth 20"},
        {371, EN, "&Modem desconnected"},
        {424, EN, "Reference paramters"},
        {214, EN, "Too short file ! Minimun time=8mn"},
        {376, EN, " (Changed)"},
        {565, EN, " "},
        {509, EN, "Time out before first character "},
        {302, EN, "Printed at "},
        {211, EN, "connection failure! The unit does not answer! "},
        {185, EN, "The device did not answer.\nDetection failed!"},
        {215, EN,
         "Failed connection! \n\ncheck connection to modem.\ncheck the state of modem.\n"
         "check initialization string. "},
        {575, EN, "Please wait!\r\n Connexion to the unit in progress! "},
        {576, EN, "Please wait!\r\n Conversion in progress! "},
        {226, EN, "Fichier Batterie|bq"},
        {226, FR, "Fichier Batterie|bq"},
        {156, EN, "?"},
        {60, EN, "01A"},
        {66, EN, "Measure"},
        {138, EN, "Com 1"},
        {581, EN, "y = (x - b) / a"},
        {537, EN, "µs"},
        {343, EN, "m²"},
    });
}

TEST(QuotedTextsTest, FrenchMenuOfTheMainWindow) {
    expectTexts({{380, FR, "&Ouvrir"},
                 {373, FR, "&Nouveau"},
                 {381, FR, "&Paramétrage"},
                 {239, FR, "Fonction"},
                 {384, FR, "Réglage S&pécial"},
                 {383, FR, "&Quitter"},
                 {358, FR, "&Dialogue"},
                 {369, FR, "&Mesure"},
                 {367, FR, "&Logger"},
                 {385, FR, "Réglage &Usine"},
                 {351, FR, "&Batterie"},
                 {391, FR, "&Test KVN"},
                 {390, FR, "&SPI"},
                 {363, FR, "I&nitialisation"},
                 {361, FR, "&Imprimer tout"},
                 {387, FR, "&Sauvegarder tout"},
                 {370, FR, "&Modem connecté"},
                 {371, FR, "&Modem déconnecté"},
                 {357, FR, "&Déconnecter"},
                 {354, FR, "&Connecter"},
                 {353, FR, "&Configuration"},
                 {388, FR, "&Enregistrer fichier de config sous..."},
                 {366, FR, "Ch&arger fichier de config"}});
}

TEST(QuotedTextsTest, FrenchOptionsPage) {
    expectTexts({{249, FR, "Général"},
                 {374, FR, "Modem"},
                 {221, FR, "Export de données"},
                 {496, FR, "Tableur"},
                 {470, FR, "Sauvegarde Fichier"},
                 {473, FR, "Temps de sauvegarde Max"},
                 {372, FR, "mn"},
                 {471, FR, "Période d'échantillonnage"},
                 {474, FR, "s"},
                 {310, FR, "Langue"},
                 {137, FR, "Com"},
                 {306, FR, "N. JBus"},
                 {29, FR, "Bauds"},
                 {140, FR, "Connexion par modem compatible Hayes"},
                 {410, FR, "Numérotation par"},
                 {44, FR, "Chaîne d'initialisation HAYES (AT)"},
                 {411, FR, "Numéro de téléphone"},
                 {45, FR, "Chaîne de raccrochage HAYES (AT)"},
                 {509, FR, "Time out avant le 1ier caractère"}});
}

TEST(QuotedTextsTest, FileTypesInFrenchAndEnglish) {
    expectTexts({{224, FR, "Fichier Paramétrage|eta"},
                 {224, EN, "Setting File|eta"},
                 {225, FR, "Fichier Fonction|fct"},
                 {225, EN, "Function File|fct"},
                 {227, FR, "Fichier Logger|log"},
                 {227, EN, "Logger File|log"},
                 {228, FR, "Fichier Mesure|mes"},
                 {228, EN, "Measurement File|mes"},
                 {229, FR, "Fichier PRN"},
                 {230, FR, "Fichier PRN|prn"},
                 {230, EN, "PRN File|prn"},
                 {231, FR, "Fichier Réglage Spécial|rsp"},
                 {231, EN, "Special Settings File|rsp"},
                 {232, FR, "Fichier Réglage Usine|rus"},
                 {232, EN, "Factory Settings File|rus"},
                 {233, FR, "Fichier Sonde Spéciale|sp"},
                 {233, EN, "Special Probe File|ssp"},
                 {234, FR, "Fichier SPI|trameSpi"},
                 {234, EN, "SPI File|trameSpi"},
                 {223, FR, "Fichier"},
                 {223, EN, "File"}});
}

TEST(QuotedTextsTest, ListsTheSameInEveryLanguage) {
    const std::vector<std::pair<int, std::vector<std::string>>> lists = {
        {339, {"Français", "English", "Português", "Deutsch", "Español"}},
        {571, {"300", "600", "1200", "2400", "4800", "9600", "BlueTooth", "115200"}},
        {70,
         {"5 MHz", "4 MHz", "3 MHz", "2 MHz", "1 MHz", "500 kHz", "350 kHz", "300 kHz", "250 kHz",
          "200 kHz", "125 kHz", "62.5 kHz", "40 kHz"}},
        {65, {"*****", "RT7-F", "RT8-?"}},
        {68, {"****", "KV420-P", "KV430-L", "KV440-G", "KV450-CO", "KV470-NL"}},
        {59, {"/", "V", "W", "N"}},
        {47, {"l/s", "l/mn", "l/h", "m3/s", "m3/h"}},
        {48, {" ml", " l", " m3", "000 m3"}},
    };
    LanguageTable table;
    for (const auto& [id, items] : lists)
        for (int language : {FR, EN, PT, DE, ES})
            EXPECT_EQ(table.lookup(id, language), items) << "id " << id << " language " << language;
    for (int language : {FR, EN, PT, DE, ES}) {
        EXPECT_EQ(table.item(72, 4, language), "0°C < T < 10°C");
        EXPECT_EQ(table.item(77, 19, language), "20");
        EXPECT_EQ(table.item(138, 254, language), "Com 255");
    }
}

TEST(QuotedTextsTest, ListsInFrenchAndEnglish) {
    using Entry = std::vector<std::string>;
    LanguageTable table;
    EXPECT_EQ(table.lookup(84, FR), (Entry{"Oui", "Non"}));
    EXPECT_EQ(table.lookup(80, FR), (Entry{"Tonalité", "Impulsion"}));
    EXPECT_EQ(table.lookup(80, EN), (Entry{"Tone", "Pulse"}));
    EXPECT_EQ(table.lookup(53, EN),
              (Entry{"General", "Pipe", "Pipe A", "Pipe B", "Input", "Function", "--", "--", "--",
                     "--", "Internal fct.", "Not Used", "Not Used"}));
    EXPECT_EQ(table.lookup(74, EN), (Entry{"1 Pipes", "2 Pipes"}));
    EXPECT_EQ(table.lookup(57, EN), (Entry{"Enable", "Desable"}));
    EXPECT_EQ(table.lookup(75, EN), (Entry{"Simple", "Normal", "Advanced"}));
    EXPECT_EQ(table.lookup(62, EN), (Entry{"Cyclic", "Stop when full"}));
    EXPECT_EQ(table.lookup(63, EN),
              (Entry{"Internal fct.", "Pipe", "Pipe A", "Pipe B", "Input", "General"}));
    EXPECT_EQ(table.lookup(81, EN), (Entry{"", "Trying to connect", "Communication Failure"}));
    Entry units = table.lookup(101, EN);
    Entry expectedStart = {"l/s", "l/mn", "l/h", "m3/s", "m3/h", "m/s", "dB", "%", "ns"};
    ASSERT_GE(units.size(), expectedStart.size());
    EXPECT_EQ(Entry(units.begin(), units.begin() + 9), expectedStart);
    Entry functions = table.lookup(71, EN);
    EXPECT_EQ(functions.front(), "Off");
    EXPECT_EQ(functions.back(), "Totalizer");
    EXPECT_EQ(table.item(99, 0, EN), "Min");
    EXPECT_EQ(table.item(51, 3, EN), "Sp. Sound");
    EXPECT_EQ(table.item(50, 2, EN), "Level / Probe");
    EXPECT_EQ(table.item(67, 9, EN), "Output 10");
    EXPECT_EQ(table.item(55, 4, EN), "St. Steel");
    EXPECT_EQ(table.item(56, 1, EN), "Water");
}

}  // namespace
}  // namespace flowcfg
