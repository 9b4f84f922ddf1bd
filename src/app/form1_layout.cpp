#include "app/form1.h"

namespace {

using K = ControlKind;

const ControlRow kForm1Rows[] = {
    {K::CommandButton,
     "cmd_Print_on_listbox",
     "Zobraz kompletní info",
     {7680, 5640, 2175, 495},
     kBold},
    {K::CommandButton, "cmd_Save", "Uložit do souboru ...", {360, 7320, 3000, 495}},
    {K::CommandButton, "cmd_Print", "Tisknout zobrazené ...", {3607, 7320, 3000, 495}},
    {K::CommandButton, "cmd_End", "Zavřít", {6855, 7320, 3000, 495}, kBold},
    {K::CommandButton, "Command1", "Procesor", {7680, 2880, 2175, 495}},
    {K::CommandButton, "cmd_ver_win", "Verze windows", {7680, 960, 2175, 495}},
    {K::CommandButton, "cmd_Username", "User", {7680, 1600, 2175, 495}},
    {K::CommandButton, "cmd_Logon_info", "Logon_info", {7680, 2240, 2175, 495}},
    {K::CommandButton, "Command2", "DIR pro Windows", {7680, 3520, 2175, 495}},
    {K::CommandButton, "cmd_Harddisk", "Info o harddisku", {7680, 4160, 2175, 495}},
    {K::TextBox, "tb_Info", "Text1", {360, 240, 6855, 5895}, kMultiLine | kVScroll},
    {K::TextBox, "tb_Txt_DIR", "Text1", {360, 6720, 9495, 375}},
    {K::Label, "Label1", "Data uložit do souboru ...", {360, 6480, 3135, 255}},
    {K::CommandButton, "cmd_Show_Bios", "Info o BIOS", {7680, 4800, 2175, 495}},
    {K::TextBox, "tb_Bios_info", "Text1", {4560, 6240, 1215, 405}, kHidden},
    {K::Label, "lb_www", kWebSite, {7680, 120, 2175, 255}, kBlue},
    {K::Label, "lb_email", kEmail, {7680, 480, 2175, 255}, kBlue},
    {K::TextBox, "tb_Forms_show", "0", {6000, 6240, 1095, 375}, kHidden},
};

}  // namespace

const WindowLayout kForm1Layout{"Form1", "Kavrona - www.kavrona.cz", 10035, 8220, true, kForm1Rows};
