#pragma once

#include "desktop/findbar.h"

class CBrinnowDoc;
class CBrinnowView;
class QComboBox;

// Find Ship over the card listing: highlights the first ship whose name,
// identifier or notes hold the text and steps through the others, with
// filters that narrow the listing to a nation or a type.
class FindShipBar : public FindBar {
    Q_OBJECT
  public:
    FindShipBar(CBrinnowDoc& doc, CBrinnowView& view, QWidget* parent = nullptr);

    // The document's nations, after they may have changed.
    void RefillNations();
    // Hides the bar and shows every ship again.
    void Close() override;

  private:
    void ApplyFilter();

    CBrinnowDoc& m_doc;
    CBrinnowView& m_view;
    QComboBox* m_nation;
    QComboBox* m_type;
};
