#pragma once
// Fetches one URL over HTTP into a file or into a text, block by block, with a progress event per
// block and cancel between blocks. Failures are reported through HuboError, StatusCode and
// StatusText, never raised. Sizes are 64-bit inside, so bodies of 2 GiB and more are handled.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "download/DescargaParcial.h"
#include "platform/BucleDeEventos.h"
#include "platform/Reloj.h"
#include "platform/SistemaDeArchivos.h"
#include "platform/TransporteHttp.h"

namespace evalora {

// Of the whole file: a download that goes on from a partial body counts what it held already.
struct EventoProgreso {
  int64_t BytesTotales = -1;  // announced length, -1 when none
  int64_t BytesRecibidos = 0;
  double Porcentaje = 0;
  int64_t SegundosTranscurridos = 0;
  double SegundosRestantes = 0;
  int64_t BytesPorSegundo = 0;
};

class netDownload {
 public:
  // Over a transfer that outlives it (the network service's; one for a whole list of files).
  netDownload(SistemaDeArchivos& archivos, Reloj& reloj, BucleDeEventos& eventos, TransporteHttp& transporte);
  ~netDownload();
  netDownload(const netDownload&) = delete;
  netDownload& operator=(const netDownload&) = delete;

  // Assigning the URL analyses it at once (an unknown scheme is error 001).
  void URL(const std::string& url);
  const std::string& URL() const { return url_; }
  // Read back without blanks around it; the download uses it as assigned.
  void Fichero(const std::string& fichero) { fichero_ = fichero; }
  std::string Fichero() const;
  const std::string& ContenidoDescargado() const { return contenido_; }
  // 0 means the scheme's default (80 for http, 443 for https).
  void Puerto(int32_t puerto) { puerto_ = puerto; }
  int32_t Puerto() const;

  std::optional<std::string> USUARIO;
  std::optional<std::string> Password;
  std::string UsarProxy;
  std::string NoUsarProxy;
  int32_t BytesBloqueDescarga = 512;
  // The size the body must have (the catalogue's): a body of any other size is a failed transfer
  // (error 999) and never takes the final name. Nothing: any size the server announces.
  std::optional<int64_t> BytesEsperados;

  bool HuboError() const { return huboError_; }
  const std::string& StatusCode() const { return statusCode_; }
  const std::string& StatusText() const { return statusText_; }

  // Which response headers Descargar fetches, and what it found.
  bool QContentType = false, QContentLength = true, QExpires = false, QLastModified = false, QPragma = false,
       QVersion = false, QRawHeaders = false, QRawHeadersCrLf = false, QForwarded = false, QServer = false,
       QRequestMethod = false;
  std::string QContentTypeStr, QContentLengthStr, QExpiresStr, QLastModifiedStr, QPragmaStr, QVersionStr,
      QRawHeadersStr, QRawHeadersCrLfStr, QForwardedStr, QServerStr, QRequestMethodStr;

  // Raised after each block; a handler sets Cancelar to stop before the next block.
  std::function<void(const EventoProgreso& evento, bool& Cancelar)> Progreso;

  // TipoAccion 0: request, status and headers only; any other value also fetches the body.
  // A body cut short from a server that resumes (Accept-Ranges: bytes, with an ETag or a
  // Last-Modified, and a known length) stays as the file's partial body, and the next Descargar
  // of the same file and URL asks only for the rest (Range, If-Range); a changed file, a refused
  // or a wrong range starts over from byte 0. Events count the whole file.
  void Descargar(int32_t TipoAccion);

  // Whether the last Descargar failed but kept more of its file than it started from: the next
  // one goes on from further on.
  bool Avanzo() const { return avanzo_; }
  // Body bytes received by every transfer of this object (what a resumed one did not ask for
  // again is not among them).
  int64_t BytesTraidos() const { return traidos_; }
  // Puts the partial body of the running or the last download on the disk itself, with its
  // record, so that the next run goes on from there even after a power cut. Nothing without one.
  void AsegurarParcial();

 private:
  struct Transferencia;
  // A partial body this object wrote in this run: its size on disk is exact (what the system
  // caches is the disk for this process), and its record may or may not be on the disk yet.
  struct Parcial {
    RegistroDeParcial registro;
    bool registroEnDisco = false;
  };
  bool AnalizarURL();
  void EstablecerError(int codigo);
  void ConsultarCabeceras(const Transferencia& t);
  // The partial body this download of fichero_ from url_ goes on from, and the byte where it
  // ends; nothing (and whatever stale part there was, deleted) when it starts from byte 0.
  std::optional<std::pair<Parcial, int64_t>> ParcialAContinuar();
  void Descartar();
  // What the transfer left: the final name, a partial body kept, or nothing; and the error.
  void Concluir(Transferencia& t, FinDelTransporte fin, int64_t desdeAlInicio);

  SistemaDeArchivos& archivos_;
  Reloj& reloj_;
  BucleDeEventos& eventos_;
  TransporteHttp& transporte_;
  std::string url_;
  std::string fichero_;
  std::string contenido_;
  // The blocks gathered for the disk: its room stays from one download to the next, so a list of
  // many files does not ask the heap for it (and give it back) once per file.
  std::string porEscribir_;
  int32_t puerto_ = 0;
  bool huboError_ = false;
  std::string statusCode_;
  std::string statusText_;
  std::map<std::string, Parcial> parciales_;  // by fichero_
  Transferencia* enCurso_ = nullptr;
  bool avanzo_ = false;
  int64_t traidos_ = 0;
  // From the URL analysis.
  std::string esquema_;
  std::string host_;
  std::optional<std::string> ruta_;
};

}  // namespace evalora
