-- The registration file that comes with the download already belongs to an institution.
UPDATE Archivos SET RutaServidor = '${HTTP}/2020/Pruebas/EVDBMSLocalConInstitucion.evx'
 WHERE Producto = 'BDServidorLocal' AND RutaLocal LIKE '%EVDBMSLocal.evx';
