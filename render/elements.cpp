// The element table: one colour and one radius value for each atomic number 1 to 112.
// Colours follow the columns of the periodic table:
//   hydrogen and alkali metals (0.5, 0.1, 0.5)   group 2  (0.4, 0.4, 0.2)
//   group 3: Sc, Y only        (0.0, 0.0, 1.0)   group 4  (0.0, 1.0, 0.0)
//   group 5  (1.0, 0.0, 0.0)   group 6  (1.0, 0.14, 0.66666)   group 7  (0.3, 0.6, 0.1)
//   group 8  (0.9, 0.6, 0.0)   group 9  (0.4, 1.0, 0.7)        group 10 (1.0, 1.0, 0.0)
//   group 11 (1.0, 1.0, 0.8)   group 12 (1.0, 0.0, 1.0)        group 13 (1.0, 1.0, 1.0)
//   group 14 (0.1, 0.3, 0.4)   group 15 (0.7, 0.3, 0.4)        group 16 (0.7, 0.9, 0.5)
//   group 17 (0.6, 0.5, 1.0)   group 18 (0.5, 0.1, 0.1)
//   lanthanides La-Lu and actinides Ac-Lr (0.3, 0.2, 0.4)
#include "render/elements.h"

namespace render {

namespace {
// Indexed by atomic number - 1: red, green, blue, radius value.
const ElementStyle elements[elementCount] = {
    // Period 1
    {0.5, 0.1, 0.5, 50.0f},  //   1 H   hydrogen, alkali metals
    {0.5, 0.1, 0.1, 128.0f}, //   2 He  group 18
    // Period 2
    {0.5, 0.1, 0.5, 152.0f}, //   3 Li  hydrogen, alkali metals
    {0.4, 0.4, 0.2, 113.3f}, //   4 Be  group 2
    {1.0, 1.0, 1.0, 83.0f},  //   5 B   group 13
    {0.1, 0.3, 0.4, 77.0f},  //   6 C   group 14
    {0.7, 0.3, 0.4, 71.0f},  //   7 N   group 15
    {0.7, 0.9, 0.5, 66.0f},  //   8 O   group 16
    {0.6, 0.5, 1.0, 71.7f},  //   9 F   group 17
    {0.5, 0.1, 0.1, 160.0f}, //  10 Ne  group 18
    // Period 3
    {0.5, 0.1, 0.5, 153.7f}, //  11 Na  hydrogen, alkali metals
    {0.4, 0.4, 0.2, 160.0f}, //  12 Mg  group 2
    {1.0, 1.0, 1.0, 143.1f}, //  13 Al  group 13
    {0.1, 0.3, 0.4, 117.0f}, //  14 Si  group 14
    {0.7, 0.3, 0.4, 104.0f}, //  15 P   group 15
    {0.7, 0.9, 0.5, 104.0f}, //  16 S   group 16
    {0.6, 0.5, 1.0, 99.0f},  //  17 Cl  group 17
    {0.5, 0.1, 0.1, 174.0f}, //  18 Ar  group 18
    // Period 4
    {0.5, 0.1, 0.5, 227.0f},      //  19 K   hydrogen, alkali metals
    {0.4, 0.4, 0.2, 197.3f},      //  20 Ca  group 2
    {0.0, 0.0, 1.0, 160.6f},      //  21 Sc  group 3
    {0.0, 1.0, 0.0, 144.8f},      //  22 Ti  group 4
    {1.0, 0.0, 0.0, 132.1f},      //  23 V   group 5
    {1.0, 0.14, 0.66666, 124.9f}, //  24 Cr  group 6
    {0.3, 0.6, 0.1, 124.0f},      //  25 Mn  group 7
    {0.9, 0.6, 0.0, 124.1f},      //  26 Fe  group 8
    {0.4, 1.0, 0.7, 125.3f},      //  27 Co  group 9
    {1.0, 1.0, 0.0, 124.6f},      //  28 Ni  group 10
    {1.0, 1.0, 0.8, 127.8f},      //  29 Cu  group 11
    {1.0, 0.0, 1.0, 133.2f},      //  30 Zn  group 12
    {1.0, 1.0, 1.0, 122.1f},      //  31 Ga  group 13
    {0.1, 0.3, 0.4, 122.5f},      //  32 Ge  group 14
    {0.7, 0.3, 0.4, 125.0f},      //  33 As  group 15
    {0.7, 0.9, 0.5, 215.2f},      //  34 Se  group 16
    {0.6, 0.5, 1.0, 114.2f},      //  35 Br  group 17
    {0.5, 0.1, 0.1, 189.0f},      //  36 Kr  group 18
    // Period 5
    {0.5, 0.1, 0.5, 247.5f},      //  37 Rb  hydrogen, alkali metals
    {0.4, 0.4, 0.2, 215.1f},      //  38 Sr  group 2
    {0.0, 0.0, 1.0, 181.0f},      //  39 Y   group 3
    {0.0, 1.0, 0.0, 160.0f},      //  40 Zr  group 4
    {1.0, 0.0, 0.0, 142.9f},      //  41 Nb  group 5
    {1.0, 0.14, 0.66666, 136.2f}, //  42 Mo  group 6
    {0.3, 0.6, 0.1, 135.8f},      //  43 Tc  group 7
    {0.9, 0.6, 0.0, 134.0f},      //  44 Ru  group 8
    {0.4, 1.0, 0.7, 134.5f},      //  45 Rh  group 9
    {1.0, 1.0, 0.0, 137.6f},      //  46 Pd  group 10
    {1.0, 1.0, 0.8, 144.4f},      //  47 Ag  group 11
    {1.0, 0.0, 1.0, 148.9f},      //  48 Cd  group 12
    {1.0, 1.0, 1.0, 162.6f},      //  49 In  group 13
    {0.1, 0.3, 0.4, 140.5f},      //  50 Sn  group 14
    {0.7, 0.3, 0.4, 182.0f},      //  51 Sb  group 15
    {0.7, 0.9, 0.5, 143.2f},      //  52 Te  group 16
    {0.6, 0.5, 1.0, 133.3f},      //  53 I   group 17
    {0.5, 0.1, 0.1, 218.0f},      //  54 Xe  group 18
    // Period 6
    {0.5, 0.1, 0.5, 265.4f},      //  55 Cs  hydrogen, alkali metals
    {0.4, 0.4, 0.2, 217.3f},      //  56 Ba  group 2
    {0.3, 0.2, 0.4, 187.7f},      //  57 La  lanthanide/actinide
    {0.3, 0.2, 0.4, 182.5f},      //  58 Ce  lanthanide/actinide
    {0.3, 0.2, 0.4, 182.8f},      //  59 Pr  lanthanide/actinide
    {0.3, 0.2, 0.4, 182.1f},      //  60 Nd  lanthanide/actinide
    {0.3, 0.2, 0.4, 181.0f},      //  61 Pm  lanthanide/actinide
    {0.3, 0.2, 0.4, 180.2f},      //  62 Sm  lanthanide/actinide
    {0.3, 0.2, 0.4, 204.2f},      //  63 Eu  lanthanide/actinide
    {0.3, 0.2, 0.4, 180.2f},      //  64 Gd  lanthanide/actinide
    {0.3, 0.2, 0.4, 178.2f},      //  65 Tb  lanthanide/actinide
    {0.3, 0.2, 0.4, 177.3f},      //  66 Dy  lanthanide/actinide
    {0.3, 0.2, 0.4, 176.6f},      //  67 Ho  lanthanide/actinide
    {0.3, 0.2, 0.4, 175.7f},      //  68 Er  lanthanide/actinide
    {0.3, 0.2, 0.4, 174.6f},      //  69 Tm  lanthanide/actinide
    {0.3, 0.2, 0.4, 194.0f},      //  70 Yb  lanthanide/actinide
    {0.3, 0.2, 0.4, 173.4f},      //  71 Lu  lanthanide/actinide
    {0.0, 1.0, 0.0, 156.4f},      //  72 Hf  group 4
    {1.0, 0.0, 0.0, 143.0f},      //  73 Ta  group 5
    {1.0, 0.14, 0.66666, 137.0f}, //  74 W   group 6
    {0.3, 0.6, 0.1, 137.0f},      //  75 Re  group 7
    {0.9, 0.6, 0.0, 135.0f},      //  76 Os  group 8
    {0.4, 1.0, 0.7, 135.7f},      //  77 Ir  group 9
    {1.0, 1.0, 0.0, 138.0f},      //  78 Pt  group 10
    {1.0, 1.0, 0.8, 144.2f},      //  79 Au  group 11
    {1.0, 0.0, 1.0, 160.0f},      //  80 Hg  group 12
    {1.0, 1.0, 1.0, 170.4f},      //  81 Tl  group 13
    {0.1, 0.3, 0.4, 175.0f},      //  82 Pb  group 14
    {0.7, 0.3, 0.4, 155.0f},      //  83 Bi  group 15
    {0.7, 0.9, 0.5, 167.0f},      //  84 Po  group 16
    {0.6, 0.5, 1.0, 200.0f},      //  85 At  group 17
    {0.5, 0.1, 0.1, 200.0f},      //  86 Rn  group 18
    // Period 7
    {0.5, 0.1, 0.5, 270.0f},      //  87 Fr  hydrogen, alkali metals
    {0.4, 0.4, 0.2, 223.0f},      //  88 Ra  group 2
    {0.3, 0.2, 0.4, 187.8f},      //  89 Ac  lanthanide/actinide
    {0.3, 0.2, 0.4, 179.8f},      //  90 Th  lanthanide/actinide
    {0.3, 0.2, 0.4, 160.6f},      //  91 Pa  lanthanide/actinide
    {0.3, 0.2, 0.4, 138.5f},      //  92 U   lanthanide/actinide
    {0.3, 0.2, 0.4, 131.0f},      //  93 Np  lanthanide/actinide
    {0.3, 0.2, 0.4, 151.0f},      //  94 Pu  lanthanide/actinide
    {0.3, 0.2, 0.4, 184.0f},      //  95 Am  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      //  96 Cm  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      //  97 Bk  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      //  98 Cf  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      //  99 Es  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      // 100 Fm  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      // 101 Md  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      // 102 No  lanthanide/actinide
    {0.3, 0.2, 0.4, 200.0f},      // 103 Lr  lanthanide/actinide
    {0.0, 1.0, 0.0, 200.0f},      // 104 Rf  group 4
    {1.0, 0.0, 0.0, 200.0f},      // 105 Db  group 5
    {1.0, 0.14, 0.66666, 200.0f}, // 106 Sg  group 6
    {0.3, 0.6, 0.1, 200.0f},      // 107 Bh  group 7
    {0.9, 0.6, 0.0, 200.0f},      // 108 Hs  group 8
    {0.4, 1.0, 0.7, 200.0f},      // 109 Mt  group 9
    {1.0, 1.0, 0.0, 200.0f},      // 110 Ds  group 10
    {1.0, 1.0, 0.8, 200.0f},      // 111 Rg  group 11
    {1.0, 0.0, 1.0, 200.0f},      // 112 Cn  group 12
};
} // namespace

const ElementStyle unknownElementStyle = {0.2, 0.2, 0.2, 100.0f};

const ElementStyle& elementStyle(float atomicNumber) {
    // The range test comes first: converting a NaN or out-of-range float to int is undefined.
    if (!(atomicNumber >= 1.0f && atomicNumber < float(elementCount + 1))) {
        return unknownElementStyle;
    }
    return elements[int(atomicNumber) - 1];
}

} // namespace render
