#pragma once
#include "lesson/sentences.h"

namespace lumora::h05d3::test {

// The verb forms every item must build, written out by hand: for singular
// items persons 1, 2, 3; for plural items persons 11, 22, 33 (44 as 33).
inline const char* const forms[itemCount][3] = {
    {"megyünk", "mentek", "mennek"},             //  0
    {"állunk", "álltok", "állnak"},              //  1
    {"olvasunk", "olvastok", "olvasnak"},        //  2
    {"bérelek", "bérelsz", "bérel"},             //  3
    {"lakom", "laksz", "lakik"},                 //  4
    {"főzök", "főzöl", "főz"},                   //  5
    {"fizetek", "fizetsz", "fizet"},             //  6
    {"kérek", "kérsz", "kér"},                   //  7
    {"mosok", "mosol", "mos"},                   //  8
    {"keresek", "keresel", "keres"},             //  9
    {"nézek", "nézel", "néz"},                   // 10
    {"megyek", "mész", "megy"},                  // 11
    {"ülök", "ülsz", "ül"},                      // 12
    {"olvasok", "olvasol", "olvas"},             // 13
    {"sietek", "sietsz", "siet"},                // 14
    {"várok", "vársz", "vár"},                   // 15
    {"pihenek", "pihensz", "pihen"},             // 16
    {"veszek", "veszel", "vesz"},                // 17
    {"gépelek", "gépelsz", "gépel"},             // 18
    {"beszélek", "beszélsz", "beszél"},          // 19
    {"hallgatok", "hallgatsz", "hallgat"},       // 20
    {"táncolok", "táncolsz", "táncol"},          // 21
    {"hallgatunk", "hallgattok", "hallgatnak"},  // 22
    {"sétálunk", "sétáltok", "sétálnak"},        // 23
    {"mosunk", "mostok", "mosnak"},              // 24
    {"nézünk", "néztek", "néznek"},              // 25
    {"főzünk", "főztök", "főznek"},              // 26
    {"keresünk", "kerestek", "keresnek"},        // 27
    {"olvasunk", "olvastok", "olvasnak"},        // 28
    {"megyünk", "mentek", "mennek"},             // 29
    {"táncolunk", "táncoltok", "táncolnak"},     // 30
    {"ülünk", "ültök", "ülnek"},                 // 31
};

} // namespace lumora::h05d3::test
