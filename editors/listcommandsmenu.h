#pragma once

#include <QString>
#include <vector>

class QAbstractButton;
class QAbstractItemView;

// One entry of a list's context menu: a caption for what a button beside
// the list does.
struct ListCommand {
    QString text;
    QAbstractButton* button = nullptr;
};

// A right click on an item of a list of chosen items makes it the current
// one and offers the buttons' commands: each entry presses its button and
// is enabled as the button is, so the menu never does what the buttons
// would refuse.
void OfferListCommands(QAbstractItemView* list, const std::vector<ListCommand>& commands);
