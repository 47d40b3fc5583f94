// The wizard's icon, drawn here and written as a Windows icon file (.ico) at build time:
//   evalora-icono <file.ico>
// A rounded square in the window's blue band colour with a white "E" and the green accent bar of
// the flat buttons below it, at every size Windows asks for from 96 to 144 DPI and beyond (16 to
// 64 pixels) and at 256 for the large views. Each size is drawn from the same shapes, sampled
// 8 × 8 times per pixel, so small sizes stay smooth. A program of the build machine: standard C++
// only, so the cross build compiles it with the machine's own compiler.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

// The window's colours: the top band's blue, the accent of the continue buttons, white.
constexpr Rgba kAzul{0, 79, 142, 255};
constexpr Rgba kVerde{108, 171, 22, 255};
constexpr Rgba kBlanco{255, 255, 255, 255};

// A shape in units of the icon's side (0 to 1).
struct Caja {
  double x0, y0, x1, y1;
  bool Contiene(double x, double y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

constexpr double kRadio = 0.18;  // the square's corners
constexpr Caja kLetra[] = {
    {0.27, 0.18, 0.41, 0.70},  // the stem of the E
    {0.27, 0.18, 0.74, 0.30},  // its top arm
    {0.27, 0.38, 0.66, 0.50},  // its middle arm
    {0.27, 0.58, 0.74, 0.70},  // its bottom arm
};
constexpr Caja kAcento{0.20, 0.78, 0.80, 0.86};

bool DentroDelCuadrado(double x, double y) {
  const double cx = x < kRadio ? kRadio : (x > 1 - kRadio ? 1 - kRadio : x);
  const double cy = y < kRadio ? kRadio : (y > 1 - kRadio ? 1 - kRadio : y);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= kRadio * kRadio;
}

Rgba Muestra(double x, double y) {
  if (!DentroDelCuadrado(x, y)) return {};
  for (const Caja& c : kLetra) {
    if (c.Contiene(x, y)) return kBlanco;
  }
  return kAcento.Contiene(x, y) ? kVerde : kAzul;
}

// One size, rows top first; colours straight (not premultiplied), as icons keep them.
std::vector<Rgba> Dibujar(int lado) {
  constexpr int kMuestras = 8;
  std::vector<Rgba> pixeles(static_cast<size_t>(lado) * lado);
  for (int y = 0; y < lado; ++y) {
    for (int x = 0; x < lado; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < kMuestras; ++j) {
        for (int i = 0; i < kMuestras; ++i) {
          const Rgba m = Muestra((x + (i + 0.5) / kMuestras) / lado, (y + (j + 0.5) / kMuestras) / lado);
          r += m.r * m.a;
          g += m.g * m.a;
          b += m.b * m.a;
          a += m.a;
        }
      }
      Rgba& p = pixeles[static_cast<size_t>(y) * lado + x];
      if (a > 0) {
        p.r = static_cast<uint8_t>(r / a + 0.5);
        p.g = static_cast<uint8_t>(g / a + 0.5);
        p.b = static_cast<uint8_t>(b / a + 0.5);
      }
      p.a = static_cast<uint8_t>(a / (kMuestras * kMuestras) + 0.5);
    }
  }
  return pixeles;
}

void Poner16(std::vector<uint8_t>& s, uint32_t v) {
  s.push_back(static_cast<uint8_t>(v));
  s.push_back(static_cast<uint8_t>(v >> 8));
}
void Poner32(std::vector<uint8_t>& s, uint32_t v) {
  Poner16(s, v & 0xFFFF);
  Poner16(s, v >> 16);
}

// An image of the file: a device-independent bitmap of 32 bits (blue, green, red, alpha), rows
// bottom first, twice the height for the colour rows and the transparency mask behind them.
std::vector<uint8_t> Imagen(int lado) {
  const std::vector<Rgba> pixeles = Dibujar(lado);
  const uint32_t filaDeMascara = static_cast<uint32_t>((lado + 31) / 32 * 4);
  std::vector<uint8_t> s;
  Poner32(s, 40);  // BITMAPINFOHEADER
  Poner32(s, static_cast<uint32_t>(lado));
  Poner32(s, static_cast<uint32_t>(2 * lado));
  Poner16(s, 1);   // planes
  Poner16(s, 32);  // bits per pixel
  Poner32(s, 0);   // BI_RGB
  Poner32(s, static_cast<uint32_t>(lado) * lado * 4 + filaDeMascara * lado);
  for (int i = 0; i < 4; ++i) Poner32(s, 0);
  for (int y = lado - 1; y >= 0; --y) {
    for (int x = 0; x < lado; ++x) {
      const Rgba& p = pixeles[static_cast<size_t>(y) * lado + x];
      s.insert(s.end(), {p.b, p.g, p.r, p.a});
    }
  }
  for (int y = lado - 1; y >= 0; --y) {
    std::vector<uint8_t> fila(filaDeMascara, 0);
    for (int x = 0; x < lado; ++x) {
      if (pixeles[static_cast<size_t>(y) * lado + x].a == 0) fila[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    s.insert(s.end(), fila.begin(), fila.end());
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: evalora-icono ARCHIVO.ico\n";
    return 2;
  }
  const int lados[] = {16, 20, 24, 32, 40, 48, 64, 256};
  std::vector<std::vector<uint8_t>> imagenes;
  for (int lado : lados) imagenes.push_back(Imagen(lado));
  std::vector<uint8_t> archivo;
  Poner16(archivo, 0);  // ICONDIR
  Poner16(archivo, 1);  // an icon
  Poner16(archivo, static_cast<uint32_t>(imagenes.size()));
  uint32_t desplazamiento = static_cast<uint32_t>(6 + 16 * imagenes.size());
  for (size_t i = 0; i < imagenes.size(); ++i) {
    const uint8_t lado = static_cast<uint8_t>(lados[i] == 256 ? 0 : lados[i]);  // 0 stands for 256
    archivo.insert(archivo.end(), {lado, lado, 0, 0});
    Poner16(archivo, 1);   // planes
    Poner16(archivo, 32);  // bits per pixel
    Poner32(archivo, static_cast<uint32_t>(imagenes[i].size()));
    Poner32(archivo, desplazamiento);
    desplazamiento += static_cast<uint32_t>(imagenes[i].size());
  }
  for (const auto& imagen : imagenes) archivo.insert(archivo.end(), imagen.begin(), imagen.end());
  std::ofstream salida(argv[1], std::ios::binary | std::ios::trunc);
  salida.write(reinterpret_cast<const char*>(archivo.data()), static_cast<std::streamsize>(archivo.size()));
  salida.close();
  if (!salida) {
    std::cerr << "evalora-icono: no se pudo escribir " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
