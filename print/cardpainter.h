#pragma once

#include "model/armament.h"
#include "model/ship.h"
#include "platform/cdc.h"

// Draws one ship record card at (x, y) with every length in millimetres
// turned into device pixels at p. The steps are separate because the blank
// card draws only the first two.
class CardPainter {
  public:
    CardPainter(CDC& dc, double p, int x, int y);

    void DrawFrame();
    // Without an armament list the card is a blank form: "S=" always shows.
    void DrawLabels(const VxShip& ship, const CArray<VxArmament>* armaments);
    void DrawData(const VxShip& ship, const CArray<VxArmament>& armaments);
    void DrawNotes(const VxShip& ship, int width);

    static int Height(CDC& dc, double p, const VxShip& ship, int mode, int width);
    // The right edge of the narrowest notes column: a listing narrower than
    // this (plus its margin) must scroll sideways to show the notes.
    static int NarrowestNotesRight(double p);

  private:
    // The two copies of a split figure: the bottom of the one above the
    // half rule and the top of the one below it.
    struct SplitPlace {
        int above;
        int below;
    };

    int Mm(double k) const;
    CFont MakeFont(double mm, BOOL bold) const;
    CFont FontOfHeight(int pixels, BOOL bold) const;
    int LabelTextHeight();
    void DrawArmamentLines(const VxShip& ship, const CArray<VxArmament>& armaments, bool carrier);
    void DrawMainFigures(const VxShip& ship, bool carrier, bool split);
    void DrawWingTurrets();
    void DrawSplitFigures(const VxShip& ship);
    SplitPlace FitSplitFigure(const CString& text, int xt, int right, int ym);
    int AFBoxRight(int i) const;
    void DrawRingedTorpedo(const CString& text, const CString& figure, int xt,
                           const SplitPlace& place, int th);
    void DrawTorpedoOnlyFigures(const VxShip& ship);
    void DrawAARating(const VxShip& ship);
    void DrawTurnSpeeds(const VxShip& ship);

    static int NotesColumn(double p);
    static int NotesWrapWidth(double p, int width);

    CDC& m_dc;
    double m_p;
    int m_x;
    int m_y;
    int m_w;   // width of a box of the top two rows
    int m_y7;  // top of the ruled box
};
