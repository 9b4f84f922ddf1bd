#include "ui/layout.h"

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

const ControlRow kIpAdressRows[] = {
    {K::TextBox, "tb_IP_adr", "Text1", {165, 353, 5055, 375}},
};

const ControlRow kBiosRows[] = {
    {K::TextBox, "Text1", "Text1", {360, 2160, 9615, 3735}, kMultiLine},
};

const ControlRow kProcesorRows[] = {
    {K::Label, "lblTitle", "Label1", {240, 240, 3975, 375}},
    {K::Label, "lblCPUlist", "Label1", {240, 840, 4095, 495}, kHidden},
    {K::ListBox, "lstCPU", "", {240, 1680, 4215, 450}},
    {K::TextBox, "txtCPU", "Text1", {240, 2400, 4215, 2775}, kMultiLine},
    {K::CommandButton, "cmd_Write", "Zapsat a zavřít", {2640, 5400, 1815, 375}},
    {K::CommandButton, "cmd_Close", "Zavřít", {240, 5400, 1455, 375}},
};

}  // namespace

const WindowLayout kForm1Layout{"Form1", "Kavrona - www.kavrona.cz", 10035, 8220, true, kForm1Rows};
const WindowLayout kIpAdressLayout{"frm_IP_adress", "IP adresa:", 5385, 1080, false, kIpAdressRows};
const WindowLayout kBiosLayout{"frm_BIOS", "frm_BIOS", 10080, 7020, false, kBiosRows};
const WindowLayout kProcesorLayout{"frm_Procesor", "Procesor:", 4680, 6090, true, kProcesorRows};
