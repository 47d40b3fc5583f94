-- The registration file that comes with the download has another password.
UPDATE Archivos SET RutaServidor = '${HTTP}/2020/Pruebas/EVDBMSLocalOtraClave.evx'
 WHERE Producto = 'BDServidorLocal' AND RutaLocal LIKE '%EVDBMSLocal.evx';
