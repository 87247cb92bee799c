// The maker's web address, which ends the messages that ask for a fresh download.
#pragma once

#define MAKER_WEB_ADDRESS "http://bramblecote.example.com"
