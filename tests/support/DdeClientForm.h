// The client side of a DDE conversation in a test: a form with a picture box
// as its link (users link platform_runtime).
#pragma once
#include "Form.h"
#include "PictureBox.h"

class DdeClientForm : public Form {
public:
    PictureBox link{*this};
};
